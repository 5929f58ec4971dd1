# A fast void catches the character: the loss line carries the void height and
# the window closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/common_settings.sh"
start_x
make_game_dir
fast_settings
write_level 9 <<'INI'
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 400
[goal]
goalX = 100
goalY = 100
goalZ = 100
INI
start_game
wait_output "OpenGL Version " 60 || fail "did not start"
for _ in $(seq 30); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  tap_key space 0.2
done
status=$(wait_game 60)
[ "$status" = "0" ] || fail "exit status $status"
line=$(grep "^GAME LOST! HEIGHT: " "$WORK/out.txt") || fail "no loss line"
height=${line#GAME LOST! HEIGHT: }
awk -v h="$height" 'BEGIN { exit !(h + 0 > -10 && h + 0 >= 1.0) }' || fail "void height $height should have passed the character"
echo PASS
