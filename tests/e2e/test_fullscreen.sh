# One level from one camera looks the same in a 640x360 window, after that
# window is resized to 1280x720, and full-screen at 1280x720 with the 640x360
# render size: the picture is scaled to the window, not cut to a corner. The
# HUD's text is in both top corners of each until F2 hides it, and F1's
# wireframe still fills the window.
source "$(dirname "$0")/lib.sh"
setup_fast_game true
window_size 640 360
arena 0 100 100 100
# Waits for the camera to settle, then keeps the window at 640x360.
shoot() { sleep 3; window_shot "$WORK/$1-full.png"; convert "$WORK/$1-full.png" -resize '640x360!' "$WORK/$1.png"; }

launch_game
await_key_handling
shoot windowed
xdotool windowsize "$(game_window)" 1280 720
shoot resized
tap_key F1
shoot wireframe
quit_game
launch_game --fullscreen
xdotool getwindowgeometry "$(game_window)" | grep -q "Geometry: 1280x720" || fail "not full-screen"
await_key_handling
shoot fullscreen
tap_key F2
shoot hidden
quit_game
grep -v -e "^OpenGL Version " -e "^Flip$" "$OUT" && fail "unexpected output"

# At most 3 % of the pixels may differ by more than 12 % (the flag waves).
for shot in resized fullscreen; do
  differing=$(compare -metric AE -fuzz 12% "$WORK/windowed.png" "$WORK/$shot.png" "$WORK/$shot-diff.png" 2>&1 || true)
  echo "$shot: $differing of 230400 pixels differ"
  [ "$differing" -lt 6912 ] || { KEEP_WORK=1; fail "$shot differs from the windowed picture: see $WORK"; }
done
for shot in windowed resized fullscreen wireframe; do
  for region in 100x50+0+0 120x80+520+0; do
    text=$(count_bright "$WORK/$shot.png" $region 60)
    echo "$shot: $text bright HUD pixels in $region"
    [ "$text" -gt 40 ] || fail "no HUD text in $region of the $shot picture"
  done
done
for region in 100x50+0+0 120x80+520+0; do
  hidden=$(count_bright "$WORK/hidden.png" $region 60) shown=$(count_bright "$WORK/fullscreen.png" $region 60)
  echo "hidden: $hidden bright HUD pixels in $region, $shown shown"
  [ "$shown" -gt $((hidden + 30)) ] || fail "F2 did not hide the HUD in $region"
done
colours=$(convert "$WORK/wireframe.png" -format %k info:)
echo "wireframe: $colours colours"
[ "$colours" -gt 200 ] || fail "the wireframe picture does not show the scene"
pass
