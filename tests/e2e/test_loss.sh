# A fast void catches the character: the loss line carries the void height and
# the window closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
setup_fast_game
write_level 9 <<'INI'
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 400
[goal]
goalX = 100
goalY = 100
goalZ = 100
INI
launch_game
tap_until_exit space 30
expect_clean_exit 60
line=$(grep "^GAME LOST! HEIGHT: " "$WORK/out.txt") || fail "no loss line"
height=${line#GAME LOST! HEIGHT: }
awk -v h="$height" 'BEGIN { exit !(h + 0 > -10 && h + 0 >= 1.0) }' || fail "void height $height should have passed the character"
echo PASS
