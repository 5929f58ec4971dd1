# F8 turns culling on: every 300th frame prints how many level boxes passed the
# frustum test. Two platforms lie behind the camera and are culled.
source "$(dirname "$0")/lib.sh"
setup_fast_game
write_level 9 <<'INI'
[world]
dimensionX = 40
dimensionZ = 40
charStartY = 3
charStartZ = 0
voidSpeed = 0
[platforms]
total = 5
platform0x = -10
platform0y = 5
platform0z = -10
platform1x = 10
platform1y = 8
platform1z = -20
platform2x = 0
platform2y = 12
platform2z = -30
platform3x = 0
platform3y = 5
platform3z = 300
platform4x = 40
platform4y = 5
platform4z = 320
[walls]
total = 1
wall0x = 0
wall0y = 10
wall0z = -40
[goal]
goalX = 100
goalY = 100
goalZ = 100
INI
launch_game
grep -q "objects drawn" "$WORK/out.txt" && fail "count printed with culling off"
await_key_handling
tap_key F8
wait_output "objects drawn" 120 || fail "no objects-drawn line"
sleep 1
quit_game
grep "objects drawn" "$WORK/out.txt" | sort -u > "$WORK/counts.txt"
[ "$(cat "$WORK/counts.txt")" = "5 objects drawn" ] || fail "counts: $(cat "$WORK/counts.txt")"
echo PASS
