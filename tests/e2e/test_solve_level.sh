# The solver from the command line: a crafted level is solved and written as
# its proof run, which replays to the same win and passes the checker; a second
# solve never overwrites it; a goal boxed in is reported (exit 1, nothing
# written); Ctrl-C stops a long search at once and writes nothing.
source "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/game/assets/settings"
cd "$WORK/game"
cp "$REPO/assets/settings/settings.ini" assets/settings/settings.ini
sed -i 's/^level = .*/level = 9/' assets/settings/settings.ini

# level <n> <platforms "type x y z" ...> -- <walls ...> -- <goal x y z>: a level file with every key written out.
level() {
  local n=$1 file="assets/settings/level$1.ini" i=0 section=platforms prefix=platform
  shift
  printf '[general]\nname = Solver %s\n[world]\ndimensionX = 100\ndimensionY = 100\ndimensionZ = 40\nvoidSpeed = 1\ncharStartX = 20\ncharStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = 50\n' "$n" > "$file"
  local boxes=()
  for arg in "$@"; do
    if [ "$arg" = -- ]; then
      printf '[%s]\ntotal = %d\n' "$section" "${#boxes[@]}" >> "$file"
      i=0; for box in "${boxes[@]}"; do
        read -r type x y z <<< "$box"
        printf '%sx = %s\n%sy = %s\n%sz = %s\n%stype = %s\n' "$prefix$i" "$x" "$prefix$i" "$y" "$prefix$i" "$z" "$prefix$i" "$type" >> "$file"
        i=$((i + 1))
      done
      boxes=(); section=walls; prefix=wall
    else boxes+=("$arg"); fi
  done
  read -r x y z <<< "${boxes[0]}"
  printf '[goal]\ngoalX = %s\ngoalY = %s\ngoalZ = %s\n' "$x" "$y" "$z" >> "$file"
}
# One jump onto the goal's platform; the wall's top puts the power-up within reach, as the checker asks.
level 9 "regular 4 4.5 0" -- "regular -40 10 0" -- "4 7.6 0"
# The goal on the floor inside four walls and a lid.
level 8 "wide -20 10.5 0" -- "regular -27 10 0" "regular -13 10 0" "long -20 5 -7.5" "long -20 5 7.5" -- "-20 3.1 0"
# The same box at the end of a long staircase: a search that takes many seconds.
stairs=(); for i in $(seq 0 59); do stairs+=("regular $((-40 + i % 8 * 11)) $((3 + i * 2)) $((-8 + i % 3 * 6))"); done
level 7 "${stairs[@]}" -- "regular -27 10 0" "regular -13 10 0" "long -20 5 -7.5" "long -20 5 7.5" -- "-20 3.1 0"

# Solved and written as the level's proof run; the replay wins on the frame the solver reported.
"$GAME_BIN" --solve-level 9 --solve-frames 400000 > "$OUT" 2> "$WORK/progress.txt" || fail "--solve-level 9 exited with $?"
grep -qx "found run written to assets/settings/level9.replay" "$OUT" || fail "no proof run written"
grep -q "^stage [0-9]*: .*, best height .*, [0-9]* frames left$" "$WORK/progress.txt" || fail "no progress line: $(cat "$WORK/progress.txt")"
found=$(sed -n 's/^found a winning run: \(won frame [0-9]* state [0-9a-f]*\) .*/\1/p' "$OUT")
[ -n "$found" ] || fail "no winning line"
replayed=$("$GAME_BIN" --replay assets/settings/level9.replay --headless) || fail "the found run does not replay"
[ "$replayed" = "$found" ] || fail "found '$found', replayed '$replayed'"
"$GAME_BIN" --check-level 9 > "$WORK/check.txt" || fail "the checker refuses the found run: $(cat "$WORK/check.txt")"
grep -q "^proof run level9.replay: $found$" "$WORK/check.txt" || fail "checker: $(cat "$WORK/check.txt")"

# A second solve goes under the XDG data folder and leaves the proof run alone.
cp assets/settings/level9.replay "$WORK/proof.replay"
"$GAME_BIN" --solve-level 9 --solve-frames 400000 > "$OUT" 2>&1 || fail "second solve exited with $?"
grep -qx "found run written to $XDG_DATA_HOME/vaultrise/level9.solved.replay" "$OUT" || fail "second solve: $(cat "$OUT")"
cmp -s assets/settings/level9.replay "$WORK/proof.replay" || fail "the proof run was overwritten"
status=0; "$GAME_BIN" --solve-level 9 --solve-out assets/settings/level9.replay > "$OUT" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q "is a level's proof run; it is never overwritten" "$OUT" || fail "--solve-out over a proof run: $status"

# The boxed-in goal: not found, reported, nothing written; the checker calls it a problem.
status=0; "$GAME_BIN" --solve-level 8 --solve-frames 100000 > "$OUT" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q "^no winning run found in 100000 frames.*highest top reached .*closest approach to the goal " "$OUT" ||
  fail "boxed-in solve: $status $(cat "$OUT")"
[ ! -e assets/settings/level8.replay ] && [ ! -e "$XDG_DATA_HOME/vaultrise/level8.solved.replay" ] || fail "a run was written"
status=0; "$GAME_BIN" --check-level 8 --solve-frames 100000 --save-proof > "$OUT" 2>&1 || status=$?
[ "$status" = 1 ] && grep -qx "no winning run found in 100000 frames" "$OUT" && grep -qx "level8.ini: 1 problem" "$OUT" ||
  fail "boxed-in check: $status $(cat "$OUT")"

# Ctrl-C during a long search: exit 130 at once, nothing written.
"$GAME_BIN" --solve-level 7 --solve-budget 120 > "$OUT" 2>&1 &
GAME_PID=$!
sleep 0.5
kill -INT "$GAME_PID"
start=$(date +%s)
status=0; wait "$GAME_PID" || status=$?
GAME_PID=""
[ "$status" = 130 ] && grep -qx "interrupted: nothing written" "$OUT" || fail "Ctrl-C: status $status $(cat "$OUT")"
[ $(($(date +%s) - start)) -le 5 ] || fail "Ctrl-C took more than 5 s to stop the search"
[ ! -e assets/settings/level7.replay ] || fail "Ctrl-C wrote a run"

"$GAME_BIN" --help > "$WORK/help.txt"
for option in --solve-level --solve-out --solve-budget --solve-frames --save-proof; do
  grep -q -- "$option" "$WORK/help.txt" || fail "--help does not list $option"
done
pass
