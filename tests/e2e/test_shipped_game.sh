# The shipped settings and default level start the game from the repository
# root with no error line at all; Escape ends it with status 0.
source "$(dirname "$0")/lib.sh"
start_x
cd "$REPO"
launch_game 120
w=$(game_window) || fail "no window"
[ "$(xdotool getwindowname "$w")" = "Vaultrise" ] || fail "title: $(xdotool getwindowname "$w")"
# Software rendering draws a 1280x720 frame in about a quarter of a second, so
# the 120 warm-up frames take half a minute or more before Escape is read.
tap_until_exit Escape 120 1.5
expect_clean_exit 30
[ "$(grep -vc "^OpenGL Version " "$WORK/out.txt")" = "0" ] || fail "unexpected output: $(grep -v "^OpenGL Version " "$WORK/out.txt" | head -5)"
echo PASS
