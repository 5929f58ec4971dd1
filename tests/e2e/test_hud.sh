# The HUD's text is drawn in the top corners of the window, and F2 hides it.
source "$(dirname "$0")/lib.sh"
setup_fast_game
window_size 640 360
write_level 9 <<'INI'
[general]
name = HUD Check
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 0
[goal]
goalX = 100
goalY = 100
goalZ = 100
INI
launch_game
await_key_handling
# Space starts play: from then on the HUD shows the level label and live values.
tap_key space
sleep 2
window_shot "$WORK/with_hud.png"
tap_key F2
sleep 1
window_shot "$WORK/without_hud.png"
quit_game
# Left column: "LEVEL" and the label; right column: distance and void level.
left_on=$(count_bright "$WORK/with_hud.png" 300x70+0+0 70)
left_off=$(count_bright "$WORK/without_hud.png" 300x70+0+0 70)
right_on=$(count_bright "$WORK/with_hud.png" 180x120+428+0 70)
right_off=$(count_bright "$WORK/without_hud.png" 180x120+428+0 70)
echo "bright text pixels: left $left_on -> $left_off, right $right_on -> $right_off"
[ "$left_on" -gt $((left_off + 300)) ] || fail "no HUD text on the left ($left_on -> $left_off)"
[ "$right_on" -gt $((right_off + 300)) ] || fail "no HUD text on the right ($right_on -> $right_off)"
echo PASS
