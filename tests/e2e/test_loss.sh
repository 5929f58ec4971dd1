# A fast void catches the character: the loss line carries the void height and
# the window closes by itself with status 0. The run, recorded into a chosen
# file, replays headless to the same loss.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 400 100 100 100
launch_game --record "$WORK/loss.replay"
tap_until_exit space 30
expect_clean_exit 60
line=$(grep "^GAME LOST! HEIGHT: " "$OUT") || fail "no loss line"
awk -v h="${line#GAME LOST! HEIGHT: }" 'BEGIN { exit !(h + 0 >= 1.0) }' || fail "void height in '$line' is below the character"
frames=$(grep -c '^0x' "$WORK/loss.replay") || fail "no frames recorded"
"$GAME_BIN" --replay "$WORK/loss.replay" --headless | grep -qx "lost frame [0-9]* state [0-9a-f]\{16\}" || fail "replay"
pass
