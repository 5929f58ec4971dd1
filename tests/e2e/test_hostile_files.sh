# A long warm-up still ends on Escape with status 0 (the window's events are
# read from the first frame); a FIFO as the settings file neither blocks nor
# stops the game: it is refused with a line and the defaults are used, and the
# default level file that is not there is named.
source "$(dirname "$0")/lib.sh"
setup_fast_game
arena 0 0 100 0
sed -i 's/^loadTime = .*/loadTime = 100000/' assets/settings/settings.ini
launch_game
sleep 1
running || fail "ended by itself"
quit_game

# Started one folder down, the default asset path "../assets" is the game folder's.
mkdir -p run/assets/settings && cd run
mkfifo assets/settings/settings.ini
LAUNCH_WAIT=120 launch_game
grep -qx "File refused: assets/settings/settings.ini is a FIFO, not a regular file" "$OUT" || fail "no refusal line"
grep -qx "Level: cannot read ../assets/settings/level0.ini, the level is left empty" "$OUT" || fail "no level line"
# The default 1920 x 1080 frames are slow under software rendering: hold Escape longer.
tap_until_exit Escape 10 2
expect_clean_exit 30
pass
