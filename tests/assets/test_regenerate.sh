#!/usr/bin/env bash
# Regenerates every asset into a scratch folder and compares each file byte for
# byte with the committed copy under assets/, naming the first that differs.
# Usage (from the repository root): test_regenerate.sh <path-to-assetgen>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${1:?usage: test_regenerate.sh <path-to-assetgen>}" "$work/assets"
count=0
while IFS= read -r -d '' file; do
  relative=${file#"$work"/}
  cmp -s "$file" "$relative" || { echo "FAIL: $relative is missing or differs from the regenerated file"; exit 1; }
  count=$((count + 1))
done < <(find "$work/assets" -type f -print0 | sort -z)
[ "$count" -gt 0 ] || { echo "FAIL: the generator wrote no files"; exit 1; }
echo "OK: all $count generated files match the committed assets"
