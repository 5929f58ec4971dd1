# In debug mode a won game stays open: the confetti burst falls into view.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/common_settings.sh"
start_x
make_game_dir
fast_settings true
sed -i 's/^width = 320/width = 640/; s/^height = 180/height = 360/' "$WORK/game/assets/settings/settings.ini"
write_level 9 <<'INI'
[world]
dimensionX = 60
dimensionZ = 60
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
sleep 3
tap_key F2 0.3   # hide the HUD: its white text would count as confetti
sleep 1
window_shot "$WORK/before.png"
tap_key space 0.2
wait_output "SUCCESSFULLY ESCAPED THE VOID!" 20 || fail "no win"
sleep 2
window_shot "$WORK/after.png"
kill -0 "$GAME_PID" 2>/dev/null || fail "debug mode closed the game after the win"
tap_key Escape 0.3
status=$(wait_game 30)
[ "$status" = "0" ] || fail "exit status $status"
before=$(count_bright "$WORK/before.png" 640x360+0+0 60)
after=$(count_bright "$WORK/after.png" 640x360+0+0 60)
echo "bright pixels: $before before the win, $after after"
[ "$after" -gt $((before + 2500)) ] || fail "no confetti in view"
echo PASS
