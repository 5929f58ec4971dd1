# A character that starts inside the goal wins with the first Space; the window
# then closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 0 0 3 0
launch_game
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise E2E" ] || fail "title"
tap_until_exit space 30
expect_clean_exit 30
grep -qx "SUCCESSFULLY ESCAPED THE VOID!" "$OUT" || fail "no win line"
grep -q "GAME LOST" "$OUT" && fail "lost instead"
pass
