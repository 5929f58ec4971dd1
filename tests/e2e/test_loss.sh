# A fast void catches the character: the loss line carries the void height and
# the window closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 400 100 100 100
launch_game
tap_until_exit space 30
expect_clean_exit 60
line=$(grep "^GAME LOST! HEIGHT: " "$OUT") || fail "no loss line"
awk -v h="${line#GAME LOST! HEIGHT: }" 'BEGIN { exit !(h + 0 >= 1.0) }' || fail "void height in '$line' is below the character"
pass
