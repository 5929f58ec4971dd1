# A character that starts inside the goal wins with the first Space; the window
# then closes by itself with status 0. A recording that cannot be written
# costs one line and nothing else.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 0 0 3 0
launch_game --record /dev/full
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise E2E" ] || fail "title"
tap_until_exit space 30
expect_clean_exit 30
grep -qx "SUCCESSFULLY ESCAPED THE VOID!" "$OUT" || fail "no win line"
grep -q "GAME LOST" "$OUT" && fail "lost instead"
[ "$(grep -c "^Recording" "$OUT")" = 1 ] || fail "not one line about the failed recording"
grep -qx "Recording off: cannot write /dev/full (No space left on device)" "$OUT" || fail "recording failure line"
pass
