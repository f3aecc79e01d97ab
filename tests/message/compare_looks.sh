#!/usr/bin/env bash
# Compares each screenshot of the message dialog with its committed reference; every reference was
# looked at by eye before it was committed. The screenshots are taken anew by each test run.
#   compare_looks.sh <reference dir> <screenshot dir>
# A look differs when more than 0.5 % of its pixels differ by more than 8 % in colour.
set -euo pipefail
refs=$1
shots=$2
status=0
count=0
for ref in "$refs"/*.png; do
  name=$(basename "$ref" .png)
  shot="$shots/$name.bmp"
  count=$((count + 1))
  if [ ! -f "$shot" ]; then
    echo "missing screenshot: $shot"
    status=1
    continue
  fi
  ref_size=$(identify -format '%wx%h' "$ref")
  shot_size=$(identify -format '%wx%h' "$shot")
  if [ "$ref_size" != "$shot_size" ]; then
    echo "$name: size $shot_size, reference $ref_size"
    status=1
    continue
  fi
  w=${ref_size%x*}
  h=${ref_size#*x}
  differing=$(compare -metric AE -fuzz 8% "$ref" "$shot" null: 2>&1 || true)
  differing=${differing%% *}
  allowed=$((w * h / 200))
  if [ "${differing%.*}" -gt "$allowed" ]; then
    echo "$name: $differing pixels differ (at most $allowed allowed)"
    compare -fuzz 8% "$ref" "$shot" "$shots/$name.diff.png" 2>/dev/null || true
    status=1
  else
    echo "$name: matches ($differing pixels differ)"
  fi
done
[ "$count" -gt 0 ] || { echo "no references in $refs"; exit 1; }
exit $status
