# A character that starts inside the goal wins with the first Space press; the
# window then closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/common_settings.sh"
start_x
make_game_dir
fast_settings
write_level 9 <<'INI'
[general]
name = Goal Start
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 0
[goal]
goalX = 0
goalY = 3
goalZ = 0
INI
start_game
wait_output "OpenGL Version " 60 || fail "did not start"
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise E2E" ] || fail "title"
for _ in $(seq 30); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  tap_key space 0.2
done
status=$(wait_game 30)
[ "$status" = "0" ] || fail "exit status $status"
grep -qx "SUCCESSFULLY ESCAPED THE VOID!" "$WORK/out.txt" || fail "no win line"
grep -q "GAME LOST" "$WORK/out.txt" && fail "lost instead"
echo PASS
