# Helpers for end-to-end tests: a private X server, a scratch game folder with
# its own settings and level files, the real binary, and xdotool for input.
set -euo pipefail

GAME_BIN=$(readlink -f "$1")
REPO=$(pwd)
WORK=$(mktemp -d /tmp/vaultrise-e2e.XXXXXX)
XVFB_PID=""
GAME_PID=""
export MESA_GL_VERSION_OVERRIDE=4.6 MESA_GLSL_VERSION_OVERRIDE=460

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$WORK/out.txt" ] && { echo "--- game output ---" >&2; tail -40 "$WORK/out.txt" >&2; }; exit 1; }

start_x() {
  local size=${1:-1280x720} n i
  # The server picks a free display itself, so parallel tests never share one.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for i in $(seq 100); do
    n=$(head -1 "$WORK/display" 2>/dev/null || true)
    [ -n "$n" ] && break
    sleep 0.1
  done
  [ -n "$n" ] || fail "could not start Xvfb"
  export DISPLAY=":$n"
  for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "Xvfb :$n does not answer"
}

# A game folder whose assets link to the repository's, with settings and levels of the test's own.
make_game_dir() {
  mkdir -p "$WORK/game/assets/settings"
  for d in shaders models textures fonts; do
    [ -e "$REPO/assets/$d" ] && ln -s "$REPO/assets/$d" "$WORK/game/assets/$d"
  done
  cd "$WORK/game"
}

write_settings() { cat > "$WORK/game/assets/settings/settings.ini"; }
write_level() { cat > "$WORK/game/assets/settings/level$1.ini"; }

# Starts the game in the background with the given options; its standard output
# goes to $WORK/out.txt.
start_game() {
  "$GAME_BIN" "$@" > "$WORK/out.txt" 2>&1 &
  GAME_PID=$!
}

# Waits for the game to exit (at most $1 seconds) and leaves its exit status,
# or "timeout", in GAME_STATUS. Runs in the test's own shell: only the shell
# that started the game can collect its status.
wait_game() {
  local limit=$1 i
  GAME_STATUS=timeout
  for i in $(seq $((limit * 10))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      GAME_STATUS=0
      wait "$GAME_PID" || GAME_STATUS=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.1
  done
}

# Waits until the game's output holds a line matching the pattern (at most $2 seconds).
wait_output() {
  local pattern=$1 limit=$2 i
  for i in $(seq $((limit * 10))); do
    grep -q -- "$pattern" "$WORK/out.txt" 2>/dev/null && return 0
    kill -0 "$GAME_PID" 2>/dev/null || { grep -q -- "$pattern" "$WORK/out.txt" && return 0; return 1; }
    sleep 0.1
  done
  return 1
}

# The game's window id, waiting up to ten seconds for it to appear.
game_window() {
  local i w
  for i in $(seq 100); do
    w=$(xdotool search --limit 1 --pid "$GAME_PID" 2>/dev/null | head -1) || true
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Holds a key for a moment in the game's window. The game may close its window
# meanwhile (a decided game ends the run), so a vanished window is not an error.
tap_key() {
  local key=$1 hold=${2:-0.6} w
  w=$(game_window) || return 0
  xdotool keydown --window "$w" "$key" 2>/dev/null || return 0
  sleep "$hold"
  xdotool keyup --window "$w" "$key" 2>/dev/null || true
}

screenshot() { import -window root "$1"; }

# Number of pixels in a region (WxH+X+Y) of an image whose red, green and blue
# all exceed the given fraction of full brightness.
count_bright() {
  local image=$1 region=$2 level=$3
  convert "$image" -crop "$region" +repage -channel RGB -threshold "$((level))%" -separate \
    -evaluate-sequence min -format "%[fx:mean*w*h]" info: | awk '{ printf "%d\n", $1 + 0.5 }'
}

# Number of warm-coloured pixels (yellow, orange, green, red: little blue, a
# bright red or green channel) in an image. The level's own neon is cyan and
# magenta, so these come from the confetti.
count_warm() {
  convert "$1" -fx "(b < 0.3 && max(r, g) > 0.5) ? 1 : 0" -format "%[fx:mean*w*h]" info: | awk '{ printf "%d\n", $1 + 0.5 }'
}

window_shot() { import -window "$(game_window)" "$1"; }
# Small window, short warm-up, still pictures: fast end-to-end runs.
fast_settings() {
  local debug=${1:-false}
  write_settings <<INI
[general]
name = Vaultrise E2E
assetPath = assets
level = 9
loadTime = 10
animations = false
[debug]
debug = $debug
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

# A private display and a scratch game folder with the fast settings.
setup_fast_game() {
  start_x
  make_game_dir
  fast_settings "${1:-false}"
}

window_size() {
  sed -i "s/^width = .*/width = $1/; s/^height = .*/height = $2/" "$WORK/game/assets/settings/settings.ini"
}

# Taps the key (up to $2 times, each held $3 seconds) until the game exits.
# Keys are polled once a frame, so a hold must outlast the slowest frame.
tap_until_exit() {
  local key=$1 tries=$2 hold=${3:-0.6}
  for _ in $(seq "$tries"); do
    kill -0 "$GAME_PID" 2>/dev/null || return 0
    tap_key "$key" "$hold"
    sleep 0.2
  done
}

# Waits up to $1 seconds for the game to end and requires exit status 0.
expect_clean_exit() {
  wait_game "$1"
  [ "$GAME_STATUS" = "0" ] || fail "exit status $GAME_STATUS"
}

quit_game() {
  tap_key Escape
  expect_clean_exit 30
}

# Starts the game and waits (up to $1 seconds, default 60) until its start-up is done.
launch_game() {
  start_game
  wait_output "OpenGL Version " "${1:-60}" || fail "did not start"
}

count_lines() { grep -c -- "$1" "$WORK/out.txt" 2>/dev/null || true; }

# Returns once the game handles keys (the warm-up is over): Tab is answered
# with "Flip"; a second Tab puts the camera back on its usual side.
await_key_handling() {
  local i
  for i in $(seq 60); do
    tap_key Tab
    sleep 0.3
    [ "$(count_lines '^Flip$')" -ge 1 ] && break
  done
  [ "$(count_lines '^Flip$')" -ge 1 ] || fail "the game never handled a key"
  for i in $(seq 30); do
    [ "$(count_lines '^Flip$')" -ge 2 ] && return 0
    tap_key Tab
    sleep 0.5
  done
  fail "second Tab not handled"
}

# Taps the key until the game prints a line matching the pattern (at most $3 taps).
tap_until_output() {
  local key=$1 pattern=$2 tries=$3
  for _ in $(seq "$tries"); do
    grep -q -- "$pattern" "$WORK/out.txt" && return 0
    tap_key "$key"
    sleep 0.3
  done
  grep -q -- "$pattern" "$WORK/out.txt"
}
