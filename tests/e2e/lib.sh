# End-to-end harness: a private X server, a scratch game folder with its own
# settings and level, the real binary (argument 1), and xdotool for input.
# Each test sources this, sets up, drives the game and ends with `pass`.
set -euo pipefail
GAME_BIN=$(readlink -f "$1")
REPO=$(pwd)
WORK=$(mktemp -d /tmp/vaultrise-e2e.XXXXXX)
OUT="$WORK/out.txt"
XVFB_PID="" GAME_PID=""
export MESA_GL_VERSION_OVERRIDE=4.6 MESA_GLSL_VERSION_OVERRIDE=460
# Runs, best times, screenshots, the player's levels and settings overlay live in
# the XDG folders: keep the tests' out of $HOME and the player's out of the tests.
export XDG_STATE_HOME="$WORK/state" XDG_DATA_HOME="$WORK/data" XDG_PICTURES_DIR="$WORK/pictures"
# The shipped settings turn sound on: OpenAL's null output keeps the tests off
# the machine's sound and its console quiet (test_sound.sh names its own).
export ALSOFT_DRIVERS=null
export XDG_CONFIG_HOME="$WORK/config"
cleanup() {
  [ -z "$GAME_PID" ] || kill "$GAME_PID" 2>/dev/null || true
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$OUT" ] && { echo "--- game output ---" >&2; tail -40 "$OUT" >&2; }; exit 1; }
pass() { echo PASS; }
running() { kill -0 "$GAME_PID" 2>/dev/null; }
# Retries a command every 0.1 s for up to $1 seconds.
retry() { local i; for i in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done; return 1; }

# A private display of the given size; the server picks a free number itself.
start_x() {
  Xvfb -displayfd 3 -screen 0 "${1:-1280x720}x24" -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  retry 10 test -s "$WORK/display" || fail "could not start Xvfb"
  export DISPLAY=":$(head -1 "$WORK/display")"
  retry 5 xdpyinfo >/dev/null 2>&1 || fail "Xvfb $DISPLAY does not answer"
}

# A private display and a game folder whose assets link to the repository's,
# with a small window, a short warm-up and still pictures (fast runs); $1 true
# turns debug mode on. The test writes level 9 (`arena` or its own).
setup_fast_game() {
  start_x
  mkdir -p "$WORK/game/assets/settings"
  for d in shaders models textures fonts; do ln -s "$REPO/assets/$d" "$WORK/game/assets/$d"; done
  cd "$WORK/game"
  cat > assets/settings/settings.ini <<INI
[general]
name = Vaultrise E2E
assetPath = assets
level = 9
loadTime = 10
animations = false
[debug]
debug = ${1:-false}
[window]
width = 320
height = 180
[elements]
plat_regularX = 8
plat_regularY = 1
plat_regularZ = 8
goalX = 6
goalY = 6
goalZ = 6
INI
}
window_size() { sed -i "s/^width = .*/width = $1/; s/^height = .*/height = $2/" assets/settings/settings.ini; }
# A 40 x 40 floor with the character at (0, 3, 0): arena <voidSpeed> <goal x y z> [name].
arena() {
  printf '[general]\nname = %s\n[world]\ndimensionX = 40\ndimensionZ = 40\ncharStartY = 3\ncharStartZ = 0\nvoidSpeed = %s\n[goal]\ngoalX = %s\ngoalY = %s\ngoalZ = %s\n' \
    "${5:-Arena}" "$1" "$2" "$3" "$4" > assets/settings/level9.ini
}

# Starts the game with the given options (output to $OUT) and waits up to
# $LAUNCH_WAIT seconds (default 60) for its start-up.
launch_game() {
  "$GAME_BIN" "$@" > "$OUT" 2>&1 &
  GAME_PID=$!
  wait_output "OpenGL Version " "${LAUNCH_WAIT:-60}" || fail "did not start"
}
# Waits up to $2 seconds for a line matching the pattern.
wait_output() { retry "$2" grep -q -- "$1" "$OUT" || grep -q -- "$1" "$OUT"; }
# The game's window id, waiting up to ten seconds for it to appear.
game_window() { retry 10 xdotool search --limit 1 --pid "$GAME_PID" 2>/dev/null | head -1 | grep .; }
# Holds a key for a moment (keys are polled once a frame, so a hold must
# outlast the slowest frame). A window that closed meanwhile is no error.
tap_key() {
  local w
  w=$(game_window) || return 0
  xdotool keydown --window "$w" "$1" 2>/dev/null || return 0
  sleep "${2:-0.6}"
  xdotool keyup --window "$w" "$1" 2>/dev/null || true
}
# Menu keys, one after the other: each held a quarter of a second (less than
# the menus' repeat delay; a tap between two frames still counts, keys are
# sticky while a menu is open) in one xdotool call, then a pause.
menu_keys() {
  local w k
  for k in "$@"; do
    w=$(game_window) || return 0
    xdotool keydown --window "$w" "$k" sleep 0.25 keyup --window "$w" "$k" 2>/dev/null || return 0
    sleep 0.3
  done
}
# Taps the key (up to $2 times, each held $3 seconds) until the game exits.
tap_until_exit() { for _ in $(seq "$2"); do running || return 0; tap_key "$1" "${3:-0.6}"; sleep 0.2; done; }
# Taps the key until a line matches the pattern (at most $3 taps).
tap_until_output() {
  for _ in $(seq "$3"); do grep -q -- "$2" "$OUT" && return 0; tap_key "$1"; sleep 0.3; done
  grep -q -- "$2" "$OUT"
}
# Waits up to $1 seconds for the game to end and requires exit status 0.
expect_clean_exit() {
  retry "$1" eval '! running' || fail "still running after $1 s"
  local status=0
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  [ "$status" = 0 ] || fail "exit status $status"
}
quit_game() { tap_key Escape; expect_clean_exit 30; }
# Returns once the game handles keys (the warm-up is over): Tab is answered
# with "Flip"; a second Tab puts the camera back on its usual side.
await_key_handling() {
  tap_until_output Tab '^Flip$' 60 || fail "the game never handled a key"
  for _ in $(seq 30); do [ "$(grep -c '^Flip$' "$OUT")" -ge 2 ] && return 0; tap_key Tab; sleep 0.5; done
  fail "second Tab not handled"
}

window_shot() { import -window "$(game_window)" "$1"; }
# Pixels in a region (WxH+X+Y) whose red, green and blue all exceed $3 percent.
count_bright() {
  convert "$1" -crop "$2" +repage -channel RGB -threshold "$3%" -separate -evaluate-sequence min \
    -format "%[fx:mean*w*h]" info: | awk '{ printf "%d\n", $1 + 0.5 }'
}
# Warm-coloured pixels (little blue, a bright red or green): the level's own
# neon is cyan and magenta, so these come from the confetti.
count_warm() {
  convert "$1" -fx "(b < 0.3 && max(r, g) > 0.5) ? 1 : 0" -format "%[fx:mean*w*h]" info: | awk '{ printf "%d\n", $1 + 0.5 }'
}
