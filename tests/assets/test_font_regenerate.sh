#!/usr/bin/env bash
# The committed HUD font is exactly what tools/font/make_font.py builds, run
# after run. Usage: test_font_regenerate.sh [asset generator] (unused)
set -euo pipefail
cd "$(dirname "$0")/../.."
# The generator needs Debian's python3-fonttools; a python3 first on PATH
# (pyenv and the like) may not see it.
python=/usr/bin/python3
python3 -c 'import fontTools' 2>/dev/null && python=python3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$python" tools/font/make_font.py "$scratch/first.ttf"
"$python" tools/font/make_font.py "$scratch/second.ttf"
cmp "$scratch/first.ttf" "$scratch/second.ttf" || { echo "two runs of make_font.py differ"; exit 1; }
cmp assets/fonts/screaming_neon.ttf "$scratch/first.ttf" || { echo "the committed font differs from a fresh build"; exit 1; }
echo "font regenerates byte for byte"
