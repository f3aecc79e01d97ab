#!/usr/bin/env bash
# The main job: runs the gate under Wine against the simulated suite through one scenario (by default
# update-warning) and prints what happened. `scripts/run.sh --list` names the scenarios; `all` runs them
# all. Screenshots of the dialogs go to build/<tree>/screenshots/. MIVORA_REAL_DISPLAY=1 shows the real
# windows on your $DISPLAY instead of a private Xvfb. The shipped 32-bit gate runs where the host runs
# 32-bit programs, else the 64-bit test build of the same sources.
set -uo pipefail
cd "$(dirname "$0")/.."
log=$(mktemp)
trap 'rm -f "$log"' EXIT
scripts/install-deps.sh >"$log" 2>&1 || { cat "$log" >&2; echo "run: installing the packages failed" >&2; exit 1; }
. scripts/wine-host.sh
tree=$gate_tree
if [ "$tree" = win32 ]; then
  echo "run: the 32-bit gate (build/win32), the one that ships"
else
  echo "run: the 64-bit build of the gate (build/win64): $wine32_why"
fi
scripts/build.sh "$tree" >"$log" 2>&1 || { cat "$log" >&2; echo "run: building the $tree tree failed" >&2; exit 1; }
exec scripts/rig.sh "build/$tree" scripts/scenario.sh "$@"
