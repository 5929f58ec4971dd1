# A played run lands in the replay folder; replayed headless (twice) and in a
# window it ends with the same line. A broken file and a changed level are
# refused with one line and status 1; --force plays the changed level.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 2 100 100 100
launch_game
await_key_handling
tap_key d 0.4
tap_key space 0.3
tap_key a 0.4
expect_clean_exit 60
grep -q "^GAME LOST! HEIGHT: " "$OUT" || fail "the void did not catch the character"
grep -q "^Recording" "$OUT" && fail "recording is not silent"
runs=("$XDG_STATE_HOME"/vaultrise/replays/level9-*.replay)
[ -f "${runs[0]}" ] || fail "no run in $XDG_STATE_HOME/vaultrise/replays"
cp "${runs[0]}" "$WORK/run.replay"

line=$("$GAME_BIN" --replay "$WORK/run.replay" --headless) || fail "headless replay exited with $?"
[[ "$line" =~ ^lost\ frame\ [0-9]+\ state\ [0-9a-f]{16}$ ]] || fail "headless replay said '$line'"
[ "$("$GAME_BIN" --replay "$WORK/run.replay" --headless)" = "$line" ] || fail "second headless replay differs"
launch_game --replay "$WORK/run.replay"
expect_clean_exit 120
[ "$(tail -1 "$OUT")" = "$line" ] || fail "windowed replay ended with '$(tail -1 "$OUT")', headless with '$line'"
[ "$(ls "$XDG_STATE_HOME"/vaultrise/replays | wc -l)" = 1 ] || fail "a replay was recorded as a new run"

expect_refusal() {  # <file> <text of the one line>
  local status=0
  "$GAME_BIN" --replay "$1" --headless > "$WORK/refusal.txt" 2>&1 || status=$?
  [ "$status" = 1 ] || fail "--replay $1 exited with $status"
  [ "$(wc -l < "$WORK/refusal.txt")" = 1 ] && grep -q -- "$2" "$WORK/refusal.txt" || fail "$1: $(cat "$WORK/refusal.txt")"
}
: > "$WORK/empty.replay"
expect_refusal "$WORK/empty.replay" "empty file"
sed -i 's/^charStartY = 3$/charStartY = 4/' assets/settings/level9.ini
expect_refusal "$WORK/run.replay" "refused: assets/settings/level9.ini is not the level file the run was recorded on"
"$GAME_BIN" --replay "$WORK/run.replay" --headless --force 2>/dev/null | grep -qE "^(won|lost|unfinished) frame" \
  || fail "--force did not play the changed level"
pass
