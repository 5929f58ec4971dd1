# The menus with keys only: from the title through level select into level 2,
# the pause menu's Restart, the master volume lowered in Options and kept in
# the player's overlay (read again at the next start), the forward key
# rebound in Controls moving the astronaut to the goal, and a render size
# chosen in Options resizing the window at once.
source "$(dirname "$0")/lib.sh"
setup_fast_game
sed -i 's/^level = 9/level = 0\nmenu = true/' assets/settings/settings.ini
for n in 0 1; do arena 0 100 100 100 "Arena $n"; cp assets/settings/level9.ini "assets/settings/level$n.ini"; done
arena 0 0 3 -14 "Arena 2"; cp assets/settings/level9.ini assets/settings/level2.ini  # the goal straight ahead
# Levels 0 and 1 were won before: level 2 is open.
mkdir -p "$XDG_DATA_HOME/vaultrise"
printf '[won]\nlevel0 = true\nlevel1 = true\n' > "$XDG_DATA_HOME/vaultrise/progress.ini"

launch_game
sleep 1
menu_keys Return                 # PLAY
menu_keys Down Down Return       # level select: 0, 1, 2
wait_output "^Level 2 started in [0-9]* ms$" 30 || fail "level 2 not started from the menus"
grep -q "^Level [01] started" "$OUT" && fail "another level started"
await_key_handling               # in play: Tab flips the camera
# Escape opens the pause menu (the game goes on); Restart starts level 2 again.
menu_keys Escape
running || fail "Escape quit instead of pausing"
menu_keys Down Return            # RESUME, RESTART
retry 30 test "$(grep -c '^Level 2 started' "$OUT")" -ge 2 || fail "Restart did not start the level again"

# Pause, Options, master volume one step down: the overlay holds it at once.
menu_keys Escape Down Down Down Return Left
overlay="$XDG_CONFIG_HOME/vaultrise/settings.ini"
retry 20 grep -qx "volume = 0.7" "$overlay" || fail "volume not saved: $(cat "$overlay" 2>/dev/null)"
grep -q "^level\|^loadTime\|^assetPath\|^\[elements\]" "$overlay" && fail "the overlay holds more than options"
# Controls (below the seven options): forward on Up; back to the game.
menu_keys Up Up Return Return Up
retry 20 grep -qx "forward = UP" "$overlay" || fail "forward not rebound: $(cat "$overlay")"
menu_keys Escape Escape Escape   # controls, options, pause: play resumes
# Space held long enough for a loaded frame to see it starts the level (the
# jump lands where it rose); then Up walks to the goal.
w=$(game_window)
xdotool keydown --window "$w" space sleep 1.5 keyup --window "$w" space
sleep 2
xdotool keydown --window "$w" Up
wait_output "^SUCCESSFULLY ESCAPED THE VOID!$" 90 || true
xdotool keyup --window "$w" Up
grep -q "^SUCCESSFULLY ESCAPED THE VOID!$" "$OUT" || fail "Up did not walk the astronaut to the goal"
kill "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true; GAME_PID=""

# The next start reads the overlay: one step down from 70% is 60%.
: > "$OUT"
launch_game
sleep 1
menu_keys Down Return Left       # OPTIONS, master volume down
retry 20 grep -qx "volume = 0.6" "$overlay" || fail "the overlay was not read at start: $(cat "$overlay")"
# The render size one step up: the window takes it at once.
menu_keys Down Down Down Down Right
retry 20 grep -qx "width = 640" "$overlay" || fail "the render size was not saved: $(cat "$overlay")"
w=$(game_window)
retry 20 bash -c "xdotool getwindowgeometry $w | grep -q 'Geometry: 640x360'" ||
  fail "the window did not take the new render size: $(xdotool getwindowgeometry "$w")"
menu_keys Escape Escape          # options, then the title: Escape there quits
expect_clean_exit 30
pass
