# The shipped settings and default level start the game from the repository
# root with no other line at all; Escape ends it with status 0.
source "$(dirname "$0")/lib.sh"
start_x
LAUNCH_WAIT=120 launch_game
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise" ] || fail "title"
# Software rendering needs half a minute or more for the 120 warm-up frames.
tap_until_exit Escape 120 1.5
expect_clean_exit 30
grep -v "^OpenGL Version " "$OUT" && fail "unexpected output"
pass
