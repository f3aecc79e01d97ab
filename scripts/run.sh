#!/usr/bin/env bash
# The main job: runs the gate under Wine against the simulated suite through one scenario (by default
# update-warning) and prints what happened. `scripts/run.sh --list` names the scenarios; `all` runs them
# all. Screenshots of the dialogs go to build/win32/screenshots/. MIVORA_REAL_DISPLAY=1 shows the real
# windows on your $DISPLAY instead of a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
scripts/build.sh win32 >/dev/null
exec scripts/rig.sh build/win32 scripts/scenario.sh "$@"
