# The command line: bad usage ends with status 2 before any window opens and
# names the offending option; --level picks the level file over the settings'.
# (--check-level's statuses: test_player_files.sh and the check_level* tests.)
source "$(dirname "$0")/lib.sh"
setup_fast_game

expect_usage_error() {  # <text the error line must name> <options...>
  local name=$1 status=0
  shift
  timeout 20 "$GAME_BIN" "$@" > "$WORK/usage.txt" 2>&1 || status=$?
  [ "$status" = 2 ] || fail "'$*' exited with $status, not 2"
  head -1 "$WORK/usage.txt" | grep -q -- "$name" || fail "'$*' did not name $name: $(head -1 "$WORK/usage.txt")"
  grep -q "^Usage: vaultrise" "$WORK/usage.txt" || fail "'$*' printed no usage"
  grep -q "OpenGL Version" "$WORK/usage.txt" && fail "'$*' opened a window"
  return 0
}
expect_usage_error --frobnicate --frobnicate
expect_usage_error --size --size 0x0
expect_usage_error --size --size 640x360x
expect_usage_error --level --level ../x
expect_usage_error --fullscreen --fullscreen --windowed
expect_usage_error --bench --bench-frames 3
expect_usage_error --headless --headless
expect_usage_error --force --force --level 2
expect_usage_error --check-level --check-level 1 --level 2
expect_usage_error --solve-frames --solve-frames 100
expect_usage_error --save-proof --solve-level 1 --save-proof
expect_usage_error --solve-level --solve-level 1 --check-level 1
expect_usage_error --solve-budget --check-level 1 --solve-budget 0
# An empty value (an unset variable in a script) is bad usage, never "no option":
# the game must not go on to open a window or record somewhere else.
for option in --settings --level --size --record --replay --check-level --solve-level; do
  expect_usage_error "$option" "$option" ""
done
expect_usage_error --replay --replay "" --headless
for option in --bench-frames --bench-script --bench-bursts; do
  expect_usage_error "$option" --bench "$option" ""
done
for option in --solve-out --solve-budget --solve-frames; do
  expect_usage_error "$option" --solve-level 1 "$option" ""
done

"$GAME_BIN" --help > "$WORK/help.txt" 2>&1 || fail "--help exited with $?"
grep -q -- "--level NAME" "$WORK/help.txt" || fail "--help lists no options"
"$GAME_BIN" --version | grep -qE "^vaultrise [0-9]+\.[0-9]+" || fail "--version"

# The settings name level 9, whose goal is far away; level 3 starts inside its
# goal: the first Space wins and the window closes by itself with status 0. A
# recording that cannot be written costs one line and nothing else.
arena 0 0 3 0 && mv assets/settings/level9.ini assets/settings/level3.ini && arena 0 100 100 0
launch_game --level 3 --size 320x180 --windowed --record /dev/full
tap_until_exit space 30
expect_clean_exit 30
grep -qx "SUCCESSFULLY ESCAPED THE VOID!" "$OUT" || fail "--level 3 did not play level 3"
[ "$(grep -c "^Recording" "$OUT")" = 1 ] || fail "not one line about the failed recording"
grep -qx "Recording off: cannot write /dev/full (No space left on device)" "$OUT" || fail "recording failure line"

# The benchmark ends by itself after its frames and prints one table.
"$GAME_BIN" --bench --bench-frames 3 --bench-bursts 2 > "$WORK/bench.txt" 2>&1 || fail "--bench exited with $?"
for row in 'launch to "OpenGL Version"' "95th percentile" particles blur "at the end"; do
  grep -qF "$row" "$WORK/bench.txt" || fail "--bench printed no '$row' row: $(cat "$WORK/bench.txt")"
done
pass
