# With a missing settings file the game opens its default 1920x1080 window with the
# default title, survives every asset being missing, and Escape ends it cleanly.
source "$(dirname "$0")/lib.sh"
start_x 1920x1080
mkdir -p "$WORK/empty" && cd "$WORK/empty"
# A named settings file that is missing: every value takes its default (a plain
# start from a folder with no settings would look for the installed data).
launch_game --settings settings.ini  # the title is set once start-up is over
w=$(game_window) || fail "no window"
[ "$(xdotool getwindowname "$w")" = "Vaultrise [ini load error]" ] || fail "title"
xdotool getwindowgeometry "$w" | grep -q "Geometry: 1920x1080" || fail "size"
tap_until_exit Escape 120 1.0  # read once the 120 warm-up frames have passed
expect_clean_exit 60
grep -q "Texture failed to load at path: ../assets/textures/platforms_magenta.png" "$OUT" || fail "missing textures not reported"
grep -q "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" "$OUT" || fail "missing shaders not reported"
pass
