# Player comforts in the real window: F12 writes a PNG of the window's size;
# P stops a fast void from rising (the game is not lost while paused, and is
# lost after resuming). R with retry on is test_recording.sh's.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 400 100 100 100
launch_game
await_key_handling
tap_until_output F12 '^Screenshot saved: ' 5 || fail "no screenshot line"
shot=$(sed -n 's/^Screenshot saved: //p' "$OUT" | head -1)
[ "$(dirname "$shot")" = "$XDG_PICTURES_DIR/Vaultrise" ] || fail "screenshot in $shot"
[ "$(identify -format '%m %wx%h' "$shot")" = "PNG 320x180" ] || fail "screenshot is $(identify "$shot")"
# Space and P together: the level starts paused.
w=$(game_window)
xdotool keydown --window "$w" space p; sleep 0.6; xdotool keyup --window "$w" space p
sleep 3
running || fail "the game ended while paused"
grep -q '^GAME LOST' "$OUT" && fail "lost while paused"
tap_key p
wait_output '^GAME LOST! HEIGHT: ' 30 || fail "the void did not rise after the pause"
expect_clean_exit 30
pass
