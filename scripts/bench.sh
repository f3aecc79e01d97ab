#!/usr/bin/env bash
# The start-up benchmark: times the gate's roads against a do-nothing program under the Wine rig, and
# reports the gate's size, its peak working set and the time of one message dialog.
#   scripts/bench.sh [--runs N]   (N timed runs of each kind, default 25)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
scripts/build.sh win32 >/dev/null
exec scripts/rig.sh build/win32 wine build/win32/bin/MivoraBench.exe "$@"
