# Practice from a windowed replay: P pauses it, T takes over from that frame,
# the player's keys then play, and the practice run is recorded as a new run
# whose frames up to the take-over are the original's, byte for byte, and which
# replays headless to the state the practice ended in.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 1 100 100 100
launch_game
await_key_handling
tap_key space 0.3
tap_key d 1.0
quit_game
runs=("$XDG_STATE_HOME"/vaultrise/replays/level9-*.replay)
[ "${#runs[@]}" = 1 ] || fail "expected one run, found ${#runs[@]}"
cp "${runs[0]}" "$WORK/original.replay"

launch_game --replay "$WORK/original.replay"
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
[ "$(head_of "$practice")" = "$(head_of "$WORK/original.replay")" ] || fail "the first $frame frames differ"
[ "$(sed -n '/^frames$/,$p' "$practice" | wc -l)" -gt $((frame + 1)) ] || fail "no frame after the take-over"
line=$("$GAME_BIN" --replay "$practice" --headless) || fail "the practice run does not replay"
[[ "$line" =~ ^(lost|unfinished)\ frame\ [0-9]+\ state\ [0-9a-f]{16}$ ]] || fail "headless replay said '$line'"
[ "$(tail -1 "$OUT")" = "$line" ] || fail "the practice ended with '$(tail -1 "$OUT")', its replay with '$line'"
pass
