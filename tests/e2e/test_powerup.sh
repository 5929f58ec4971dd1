# Falling through the spinning beet lowers the void once, with one line.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/common_settings.sh"
start_x
make_game_dir
fast_settings
write_level 9 <<'INI'
[world]
dimensionX = 60
dimensionZ = 60
charStartX = -10
charStartY = 40
charStartZ = 5
voidSpeed = 0
[goal]
goalX = 25
goalY = 60
goalZ = 25
INI
start_game
wait_output "OpenGL Version " 60 || fail "did not start"
for _ in $(seq 30); do
  grep -q "VoidHandler::applyPowerUp()" "$WORK/out.txt" && break
  tap_key space 0.2
done
wait_output "VoidHandler::applyPowerUp()" 30 || fail "power-up not applied"
sleep 2
tap_key Escape 0.3
status=$(wait_game 30)
[ "$status" = "0" ] || fail "exit status $status"
[ "$(grep -c "VoidHandler::applyPowerUp()" "$WORK/out.txt")" = "1" ] || fail "applied more than once"
echo PASS
