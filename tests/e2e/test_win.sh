# A character that starts inside the goal wins with the first Space press; the
# window then closes by itself with status 0.
source "$(dirname "$0")/lib.sh"
setup_fast_game
write_level 9 <<'INI'
[general]
name = Goal Start
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 0
[goal]
goalX = 0
goalY = 3
goalZ = 0
INI
launch_game
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise E2E" ] || fail "title"
tap_until_exit space 30
expect_clean_exit 30
grep -qx "SUCCESSFULLY ESCAPED THE VOID!" "$WORK/out.txt" || fail "no win line"
grep -q "GAME LOST" "$WORK/out.txt" && fail "lost instead"
echo PASS
