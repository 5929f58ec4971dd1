# Remapped keys in the real window: [controls] moves the screenshot to F11 and
# quit to Q, after which F12 and Escape do neither.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 0 100 100 100
printf '[controls]\nscreenshot = F11\nquit = q\n' >> assets/settings/settings.ini
launch_game
await_key_handling
tap_key F12
tap_key Escape
sleep 1
running || fail "Escape still quits"
grep -q '^Screenshot saved: ' "$OUT" && fail "F12 still takes screenshots"
tap_until_output F11 '^Screenshot saved: ' 5 || fail "F11 took no screenshot"
tap_key q
expect_clean_exit 30
pass
