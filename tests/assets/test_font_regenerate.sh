#!/usr/bin/env bash
# The committed HUD font must be exactly what tools/font/make_font.py builds:
# regenerate it into a scratch directory and compare byte for byte.
# Usage: test_font_regenerate.sh [asset generator]   (the argument is unused)
set -euo pipefail
cd "$(dirname "$0")/../.."

committed=assets/fonts/screaming_neon.ttf
[ -f "$committed" ] || { echo "missing $committed"; exit 1; }

# The generator needs Debian's python3-fonttools; a python3 first on PATH
# (pyenv and the like) may not see it.
python=""
for candidate in python3 /usr/bin/python3; do
  if command -v "$candidate" >/dev/null 2>&1 && "$candidate" -c 'import fontTools' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || { echo "no python3 with fontTools found"; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$python" tools/font/make_font.py "$scratch/first.ttf"
"$python" tools/font/make_font.py "$scratch/second.ttf"

if ! cmp "$scratch/first.ttf" "$scratch/second.ttf"; then
  echo "two runs of make_font.py produced different bytes"
  exit 1
fi
if ! cmp "$committed" "$scratch/first.ttf"; then
  echo "$committed differs from a fresh build; run: $python tools/font/make_font.py"
  exit 1
fi
echo "font regenerates byte for byte ($(stat -c %s "$committed") bytes)"
