#!/usr/bin/env bash
# Inside the rig: runs the scenario driver and turns its screenshots into PNG files.
set -euo pipefail
status=0
wine "$MIVORA_BUILD_DIR/bin/MivoraScenario.exe" "$@" || status=$?
for bmp in "$MIVORA_SCREENSHOTS"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
