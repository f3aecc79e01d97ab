#!/usr/bin/env bash
# Everything from a fresh Debian 12 machine: installs what is missing, builds both trees and runs every
# test, the Windows ones under the Wine rig. Extra arguments go to both ctest runs (e.g. -R Registry).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native win32
ctest --preset native -j"$(nproc)" "$@"
scripts/rig.sh build/win32 ctest --preset win32 -j"$(nproc)" "$@"
