# The HUD's text is drawn in the top corners of the window, and F2 hides it.
source "$(dirname "$0")/lib.sh"
setup_fast_game
window_size 640 360
arena 0 100 100 100 "HUD Check"
launch_game
await_key_handling
tap_key space  # play starts: the HUD shows the level label and live values
sleep 2
window_shot "$WORK/on.png"
tap_key F2
sleep 1
window_shot "$WORK/off.png"
quit_game
# Left column: "LEVEL" and the label; right column: distance and void level.
for region in 300x70+0+0 180x120+428+0; do
  on=$(count_bright "$WORK/on.png" $region 70) off=$(count_bright "$WORK/off.png" $region 70)
  echo "bright text pixels in $region: $on -> $off"
  [ "$on" -gt $((off + 150)) ] || fail "no HUD text in $region"  # text scales with the 360 px height
done
pass
