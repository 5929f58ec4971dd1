# With no settings file at all the game opens its default 1920x1080 window with
# the default title, survives every asset being missing, and Escape ends it cleanly.
source "$(dirname "$0")/lib.sh"
start_x 1920x1080
mkdir -p "$WORK/empty" && cd "$WORK/empty"
# Title and size are checked once start-up is over: the window exists a moment
# before its title is set.
launch_game
w=$(game_window) || fail "no window"
[ "$(xdotool getwindowname "$w")" = "Vaultrise [ini load error]" ] || fail "title: $(xdotool getwindowname "$w")"
xdotool getwindowgeometry "$w" | grep -q "Geometry: 1920x1080" || fail "size: $(xdotool getwindowgeometry "$w")"
# Escape is read once the 120 warm-up frames have passed.
tap_until_exit Escape 120 1.0
expect_clean_exit 60
grep -q "Texture failed to load at path: ../assets/textures/platforms_magenta.png" "$WORK/out.txt" || fail "missing textures not reported"
grep -q "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ" "$WORK/out.txt" || fail "missing shaders not reported"
echo PASS
