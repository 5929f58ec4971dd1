# Falling through the spinning beet lowers the void once, with one line.
source "$(dirname "$0")/lib.sh"
setup_fast_game
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
launch_game
# The first handled Space starts the fall through the beet's trigger box.
tap_until_output space "VoidHandler::applyPowerUp()" 60 || fail "power-up not applied"
sleep 2
quit_game
[ "$(grep -c "VoidHandler::applyPowerUp()" "$WORK/out.txt")" = "1" ] || fail "applied more than once"
echo PASS
