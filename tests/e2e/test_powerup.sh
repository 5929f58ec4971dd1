# Falling through the spinning beet lowers the void once, with one line.
source "$(dirname "$0")/lib.sh"
setup_fast_game
printf '[world]\ndimensionX = 60\ndimensionZ = 60\ncharStartX = -10\ncharStartY = 40\ncharStartZ = 5\nvoidSpeed = 0\n[goal]\ngoalX = 25\ngoalY = 60\ngoalZ = 25\n' > assets/settings/level9.ini
launch_game
# The first handled Space starts the fall through the beet's trigger box.
tap_until_output space "VoidHandler::applyPowerUp()" 60 || fail "power-up not applied"
sleep 2
quit_game
[ "$(grep -c "VoidHandler::applyPowerUp()" "$OUT")" = 1 ] || fail "applied more than once"
pass
