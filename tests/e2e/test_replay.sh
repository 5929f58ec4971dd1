# A played run lands in the replay folder; replayed headless (twice) and in a
# window it ends with the same line; practised from the window it is recorded
# as a new run. A broken file and a changed level are refused with one line and
# status 1; --force plays the changed level.
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

# Practice from the windowed replay: P pauses it, T takes over from that frame,
# the player's keys then play, and the practice run is recorded as a new run
# whose frames up to the take-over are the original's, byte for byte, and which
# replays headless to the state the practice ended in.
launch_game --replay "$WORK/run.replay"
sleep 1
tap_key p 0.4
tap_until_output t '^Taken over at frame [0-9]*: practice$' 10 || fail "T did not take over"
tap_key a 1.0
quit_game
frame=$(sed -n 's/^Taken over at frame \([0-9]*\): practice$/\1/p' "$OUT")
practice=$(ls "$XDG_STATE_HOME"/vaultrise/replays/level9-*.replay | grep -v "^${runs[0]}$" | head -1)
[ -n "$practice" ] || fail "the practice run was not recorded"
[ "$frame" -gt 0 ] || fail "taken over at frame '$frame'"
head_of() { sed -n '/^frames$/,$p' "$1" | sed -n "2,$((frame + 1))p"; }
[ "$(head_of "$practice")" = "$(head_of "$WORK/run.replay")" ] || fail "the first $frame frames differ"
[ "$(sed -n '/^frames$/,$p' "$practice" | wc -l)" -gt $((frame + 1)) ] || fail "no frame after the take-over"
practiced=$("$GAME_BIN" --replay "$practice" --headless) || fail "the practice run does not replay"
[[ "$practiced" =~ ^(lost|unfinished)\ frame\ [0-9]+\ state\ [0-9a-f]{16}$ ]] || fail "practice replay said '$practiced'"
[ "$(tail -1 "$OUT")" = "$practiced" ] || fail "the practice ended with '$(tail -1 "$OUT")', its replay with '$practiced'"

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
