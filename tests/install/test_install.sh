# Installs the build into a temporary prefix (DESTDIR) and runs the installed
# game from another folder: version, level check, a shipped proof run, and a
# windowed start under Xvfb that finds every shader and texture and carries the
# desktop entry's class and the icon.
# Usage (from the repository root): test_install.sh <build folder>
build=$(readlink -f "${1:?usage: test_install.sh <build folder>}")
stage=$(mktemp -d /tmp/vaultrise-install.XXXXXX)
prefix=/opt/vaultrise-test
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" > "$stage/install.log" ||
  { cat "$stage/install.log"; echo "FAIL: cmake --install"; exit 1; }
touch "$stage/installed"
root="$stage$prefix"
data="$root/share/vaultrise/assets"
set -- "$root/games/vaultrise"
source "$(dirname "$0")/../e2e/lib.sh"
trap 'cleanup; rm -rf "$stage"' EXIT

# Every file in its place, and nothing of the tests or the tools.
for file in games/vaultrise share/vaultrise/assets/settings/settings.ini share/vaultrise/assets/settings/level4.replay \
    share/vaultrise/assets/shaders/bloom.fs share/vaultrise/assets/fonts/screaming_neon.ttf \
    share/vaultrise/assets/models/astronaut.obj share/vaultrise/assets/textures/video/video211.gif \
    share/applications/org.vaultrise.vaultrise.desktop share/metainfo/org.vaultrise.vaultrise.metainfo.xml \
    share/icons/hicolor/256x256/apps/vaultrise.png share/icons/hicolor/32x32/apps/vaultrise.png \
    share/man/man6/vaultrise.6.gz share/doc/vaultrise/README.md share/doc/vaultrise/copyright; do
  [ -f "$root/$file" ] || fail "not installed: $file"
done
strays=$(cd "$root" && find . -type f | grep -Ei 'test|assetgen|levelpilot|soak|bench|\.cpp$|\.h$' || true)
[ -z "$strays" ] || fail "installed files of the tests or tools: $strays"

mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere"
"$GAME_BIN" --version | grep -qE "^vaultrise [0-9]+\.[0-9]+\.[0-9]+$" || fail "--version"
"$GAME_BIN" --check-level 0 > "$WORK/check.txt" 2>&1 || fail "--check-level 0: $(cat "$WORK/check.txt")"
[ "$(head -1 "$WORK/check.txt")" = "Settings: $data/settings/settings.ini" ] &&
  grep -q "^proof run level0.replay: won frame 1035 " "$WORK/check.txt" &&
  grep -q "^level0.ini: no problems$" "$WORK/check.txt" || fail "--check-level 0 printed: $(cat "$WORK/check.txt")"
summary=$("$GAME_BIN" --replay "$data/settings/level0.replay" --headless 2>"$WORK/replay.err") ||
  fail "--replay: $(cat "$WORK/replay.err")"
[[ "$summary" == "won frame 1035 "* ]] || fail "level 0's proof run: $summary"
# Nothing was written next to the installed files.
[ -z "$(find "$root" -newer "$stage/installed" -print -quit)" ] || fail "the game wrote into its installed folder"

start_x
launch_game --windowed --size 320x180
grep -q "^Settings: $data/settings/settings.ini$" "$OUT" || fail "no settings line"
grep -Ei "error|failed|cannot" "$OUT" && fail "error lines at start"
w=$(game_window) || fail "no window"
xprop -id "$w" WM_CLASS | grep -q '= "vaultrise", "vaultrise"$' || fail "window class: $(xprop -id "$w" WM_CLASS)"
xprop -len 2000000 -id "$w" _NET_WM_ICON > "$WORK/icon.txt"
grep -q "Icon (256 x 256)" "$WORK/icon.txt" && grep -q "Icon (32 x 32)" "$WORK/icon.txt" || fail "window icon: $(grep -o "Icon ([0-9 x]*)" "$WORK/icon.txt")"
pass
