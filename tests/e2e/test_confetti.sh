# In debug mode a won game stays open: the confetti burst falls into view.
source "$(dirname "$0")/lib.sh"
setup_fast_game true
window_size 640 360
arena 0 0 3 0
launch_game
await_key_handling
tap_key F2  # the HUD is not part of the comparison
sleep 1
window_shot "$WORK/before.png"
tap_until_output space "SUCCESSFULLY ESCAPED THE VOID!" 30 || fail "no win"
sleep 2
window_shot "$WORK/after.png"
running || fail "debug mode closed the game after the win"
quit_game
before=$(count_warm "$WORK/before.png") after=$(count_warm "$WORK/after.png")
echo "confetti-coloured pixels: $before before the win, $after after"
[ "$after" -gt $((before + 1500)) ] || fail "no confetti in view"
pass
