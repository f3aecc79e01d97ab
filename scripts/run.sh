#!/usr/bin/env bash
# The main job: runs the gate under Wine against the simulated suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh win32
exec scripts/rig.sh build/win32 python3 scripts/scenario.py "$@"
