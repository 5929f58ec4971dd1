#!/usr/bin/env bash
# Regenerates every asset into a temporary folder and compares each file byte
# for byte with the committed copy under assets/. Fails at the first file that
# is missing or differs, naming it.
# Usage (from the repository root): bash tests/assets/test_regenerate.sh <path-to-assetgen>
set -euo pipefail

generator="${1:?usage: test_regenerate.sh <path-to-assetgen>}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$generator" "$work/assets"

count=0
while IFS= read -r -d '' file; do
    relative="${file#"$work"/}"
    if [ ! -f "$relative" ]; then
        echo "FAIL: $relative is generated but not committed"
        exit 1
    fi
    if ! cmp -s "$file" "$relative"; then
        echo "FAIL: $relative differs from the regenerated file"
        exit 1
    fi
    count=$((count + 1))
done < <(find "$work/assets" -type f -print0 | sort -z)

if [ "$count" -eq 0 ]; then
    echo "FAIL: the generator wrote no files"
    exit 1
fi
echo "OK: all $count generated files match the committed assets"
