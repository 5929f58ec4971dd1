# --record FILE with retry on: the first session stays in FILE, won and ended
# on its winning frame; the run after R goes beside it as FILE-2 and writes
# nothing over the first.
source "$(dirname "$0")/lib.sh"
setup_fast_game
sed -i 's/^\[general\]$/[general]\nretry = true/' assets/settings/settings.ini
# The character starts inside the goal: the first Space wins.
arena 0 0 3 0
launch_game --record "$WORK/proof.replay"
await_key_handling
tap_until_output space "^R: retry" 20 || fail "the first session was not won"
tap_until_output r "^Level 9 started in" 20 || fail "R did not start the level again"
await_key_handling
quit_game

[ -f "$WORK/proof-2.replay" ] || fail "the second session was not recorded beside the first: $(ls "$WORK")"
line=$("$GAME_BIN" --replay "$WORK/proof.replay" --headless) || fail "replay of the first session exited with $?"
[[ "$line" =~ ^won\ frame\ ([0-9]+)\  ]] || fail "the first session's recording says '$line'"
frames=$(sed '1,/^frames$/d' "$WORK/proof.replay" | wc -l)
[ "$frames" = "${BASH_REMATCH[1]}" ] || fail "the recording goes on past the winning frame ${BASH_REMATCH[1]}: $frames frames"
second=$("$GAME_BIN" --replay "$WORK/proof-2.replay" --headless) || fail "replay of the second session exited with $?"
[[ "$second" =~ ^unfinished\ frame ]] || fail "the second session's recording says '$second'"
pass
