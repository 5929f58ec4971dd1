# Where the game finds its files when started outside its folder, the player's
# own levels ($XDG_DATA_HOME) and settings overlay ($XDG_CONFIG_HOME).
source "$(dirname "$0")/lib.sh"
setup_fast_game

# The build's binary started elsewhere reads the source tree's settings and says so.
mkdir -p "$WORK/elsewhere"
(cd "$WORK/elsewhere" && "$GAME_BIN" --check-level 0 > "$WORK/found.txt" 2>&1) || fail "check from elsewhere: $(cat "$WORK/found.txt")"
[ "$(head -1 "$WORK/found.txt")" = "Settings: $REPO/assets/settings/settings.ini" ] || fail "no settings line: $(cat "$WORK/found.txt")"
# The current folder's settings are the text's: no line about them.
"$GAME_BIN" --check-level 9 > "$WORK/here.txt" 2>&1 || true
grep -q "^Settings:" "$WORK/here.txt" && fail "the current folder's settings were announced"

# A binary with no data anywhere: one line naming the places, status 1, no window.
mkdir -p "$WORK/bare/bin" && cp "$GAME_BIN" "$WORK/bare/bin/vaultrise"
for options in "" "--check-level 0"; do
  status=0
  (cd "$WORK/elsewhere" && "$WORK/bare/bin/vaultrise" $options > "$WORK/bare.txt" 2>&1) || status=$?
  [ "$status" = 1 ] || fail "no data ($options): status $status"
  [ "$(wc -l < "$WORK/bare.txt")" = 1 ] || fail "no data ($options): $(cat "$WORK/bare.txt")"
  grep -q "cannot find the game's data.*the current folder, $WORK/bare/share/vaultrise;" "$WORK/bare.txt" ||
    fail "no data ($options): $(cat "$WORK/bare.txt")"
done

# A player's level is found by name; a shipped level of the same name wins, with a line.
levels="$XDG_DATA_HOME/vaultrise/levels"
mkdir -p "$levels"
arena 0 100 100 0 && mv assets/settings/level9.ini "$levels/levelmine.ini"
status=0; "$GAME_BIN" --check-level mine > "$WORK/mine.txt" || status=$?
[ "$status" = 1 ] && grep -q "^voidSpeed: 0 must be above 0$" "$WORK/mine.txt" || fail "check of mine: $(cat "$WORK/mine.txt")"
arena 1 100 100 0 && cp "$levels/levelmine.ini" "$levels/level9.ini"
"$GAME_BIN" --check-level 9 > "$WORK/clash.txt" || true
grep -q "^Level: assets/settings/level9.ini ships with the game and wins; $levels/level9.ini is not used$" "$WORK/clash.txt" ||
  fail "no clash line: $(cat "$WORK/clash.txt")"
grep -q "^voidSpeed" "$WORK/clash.txt" && fail "the player's level9 was checked"

# The overlay's keys replace the settings' (the window title here); the player's
# level whose goal holds the start is won at the first Space.
mkdir -p "$XDG_CONFIG_HOME/vaultrise"
printf '[general]\nname = Overlay Title\n' > "$XDG_CONFIG_HOME/vaultrise/settings.ini"
arena 0 0 3 0 && mv assets/settings/level9.ini "$levels/levelmine.ini" && arena 0 100 100 0
launch_game --level mine
[ "$(xdotool getwindowname "$(game_window)")" = "Overlay Title" ] || fail "the overlay's title was not used"
grep -q "^Level" "$OUT" && fail "a level line at start: $(grep '^Level' "$OUT")"
tap_until_exit space 40
expect_clean_exit 30
grep -q "SUCCESSFULLY ESCAPED THE VOID!" "$OUT" || fail "the player's level was not played"

# A damaged overlay: one line, then the settings as they are.
printf '[general\nname = Broken\n' > "$XDG_CONFIG_HOME/vaultrise/settings.ini"
launch_game
[ "$(grep -c "Settings overlay: $XDG_CONFIG_HOME/vaultrise/settings.ini is damaged (line 1), ignored" "$OUT")" = 1 ] ||
  fail "no damage line"
[ "$(xdotool getwindowname "$(game_window)")" = "Vaultrise E2E" ] || fail "a damaged overlay changed the title"
quit_game
pass
