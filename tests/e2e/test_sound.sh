# Sound through OpenAL Soft's wave writer (no sound card): a shipped proof run
# played in the window is heard and wins on its frame with the headless state
# hash; without a device it prints one line and still wins the same way;
# a device lost while playing costs one line; volume 0 is silent; M silences a
# running game.
source "$(dirname "$0")/lib.sh"
start_x
unset ALSOFT_DRIVERS  # lib.sh points OpenAL at its null output; here each run names its own
mkdir -p "$WORK/game/assets/settings"
cd "$WORK/game"
for d in shaders models textures fonts sounds music; do ln -s "$REPO/assets/$d" "assets/$d"; done
cp "$REPO"/assets/settings/level4.ini "$REPO"/assets/settings/level4.replay assets/settings/
sed -e 's/^width = .*/width = 320/; s/^height = .*/height = 180/; s/^animations = .*/animations = false/' \
    -e 's/^loadTime = .*/loadTime = 10/; s/^menu = .*/menu = false/' "$REPO/assets/settings/settings.ini" > assets/settings/settings.ini  # straight into play
grep -q "^enabled = true" assets/settings/settings.ini || fail "the shipped settings do not turn sound on"
wave() {  # wave <name>: an OpenAL config that writes the mix to $WORK/<name>.wav
  printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/$1.wav" > "$WORK/$1.conf"
  echo "$WORK/$1.conf"
}
# level FILE [FROM [TO]]: the peak (fraction of full scale) and length in seconds
# of the samples from FROM to TO seconds; a negative place counts from the end.
level() {
  sox "$1" -n trim "${2:-0}" ${3:+"$3"} stat 2>&1 |
    awk '/^Maximum amplitude/ {hi = $3} /^Minimum amplitude/ {lo = -$3} /^Length/ {s = $3}
         END {printf "%f %f\n", (hi >= lo ? hi : lo), s}'
}

# Headless runs and the level check never open a device, whatever the settings say.
headless=$(ALSOFT_CONF=$(wave headless) "$GAME_BIN" --replay assets/settings/level4.replay --headless)
[[ "$headless" =~ ^won\ frame\ 760\ state\ [0-9a-f]{16}$ ]] || fail "headless proof run said '$headless'"
ALSOFT_CONF=$(wave check) "$GAME_BIN" --check-level 4 > /dev/null || fail "--check-level 4 failed"
[ -e "$WORK/headless.wav" ] || [ -e "$WORK/check.wav" ] && fail "a headless run opened the audio device"

# The proof run with sound: heard, and the same outcome and hash as without.
ALSOFT_CONF=$(wave proof) LAUNCH_WAIT=120 launch_game --replay assets/settings/level4.replay
expect_clean_exit 240
[ "$(tail -1 "$OUT")" = "$headless" ] || fail "with sound the replay ended '$(tail -1 "$OUT")', headless '$headless'"
grep -q "^Sound" "$OUT" && fail "sound printed a line with a working device"
read -r peak seconds < <(level "$WORK/proof.wav")
awk "BEGIN { exit !($peak > 0.01) }" || fail "the proof run's mix is silent (peak $peak over $seconds s)"
awk "BEGIN { exit !($peak < 1.0) }" || fail "the proof run's mix clips (peak $peak)"

# No device: one line, and the replay wins as before.
ALSOFT_DRIVERS=oss LAUNCH_WAIT=120 launch_game --replay assets/settings/level4.replay
expect_clean_exit 240
[ "$(tail -1 "$OUT")" = "$headless" ] || fail "without a device the replay ended '$(tail -1 "$OUT")'"
[ "$(grep -c "^Sound off: no audio device could be opened$" "$OUT")" = 1 ] || fail "no 'Sound off' line"
[ "$(grep -c "^Sound" "$OUT")" = 1 ] || fail "more than one sound line"

# The device lost while playing (the wave writer's disk is full, as a sound card
# unplugged): one line, the rest silent, and the replay wins as before.
printf '[general]\ndrivers = wave\n[wave]\nfile = /dev/full\n' > "$WORK/lost.conf"
ALSOFT_CONF="$WORK/lost.conf" LAUNCH_WAIT=120 launch_game --replay assets/settings/level4.replay
expect_clean_exit 240
[ "$(tail -1 "$OUT")" = "$headless" ] || fail "with the device lost the replay ended '$(tail -1 "$OUT")'"
[ "$(grep -c "^Sound off: the audio device was disconnected$" "$OUT")" = 1 ] || fail "no disconnect line"
[ "$(grep -c "^Sound" "$OUT")" = 1 ] || fail "more than one sound line after the device was lost"

# Volume 0: nothing is heard at all.
sed -i 's/^volume = .*/volume = 0/' assets/settings/settings.ini
ALSOFT_CONF=$(wave quiet) launch_game --level 4
await_key_handling
sleep 1
quit_game
read -r peak seconds < <(level "$WORK/quiet.wav")
awk "BEGIN { exit !($seconds > 2) }" || fail "the wave writer wrote only $seconds s"
awk "BEGIN { exit !($peak == 0) }" || fail "volume 0 is heard (peak $peak)"

# M: heard until it is pressed, silent after.
sed -i 's/^volume = .*/volume = 0.8/' assets/settings/settings.ini
ALSOFT_CONF=$(wave muted) launch_game --level 4
await_key_handling
sleep 1
tap_key m 0.5
sleep 3
quit_game
read -r before seconds < <(level "$WORK/muted.wav" 0 -1.5)
read -r after total < <(level "$WORK/muted.wav" -1.5)
awk "BEGIN { exit !($before > 0.01) }" || fail "nothing heard before M (peak $before)"
awk "BEGIN { exit !($after < 0.001) }" || fail "heard after M (peak $after over the last 1.5 s of $total s)"
pass
