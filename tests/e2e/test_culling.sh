# F8 turns culling on: every 300th frame prints how many level boxes passed the
# frustum test. Two of the platforms lie far behind the camera and are culled.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 0 100 100 100
{
  printf '[platforms]\ntotal = 5\n'
  i=0
  for xyz in "-10 5 -10" "10 8 -20" "0 12 -30" "0 5 300" "40 5 320"; do
    set -- $xyz
    printf 'platform%dx = %s\nplatform%dy = %s\nplatform%dz = %s\n' $i $1 $i $2 $i $3
    i=$((i + 1))
  done
  printf '[walls]\ntotal = 1\nwall0x = 0\nwall0y = 10\nwall0z = -40\n'
} >> assets/settings/level9.ini
launch_game
grep -q "objects drawn" "$OUT" && fail "count printed with culling off"
await_key_handling
tap_key F8
wait_output "objects drawn" 120 || fail "no objects-drawn line"
sleep 1
quit_game
counts=$(grep "objects drawn" "$OUT" | sort -u)
[ "$counts" = "5 objects drawn" ] || fail "counts: $counts"
pass
