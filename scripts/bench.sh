#!/usr/bin/env bash
# The start-up benchmark: times the gate's roads against a do-nothing program and against what roads 1
# and 3 cannot avoid under the Wine rig, and reports the gate's size, its peak working set and the time of
# one message dialog.
#   scripts/bench.sh [--runs N] [--before REV]
#   --runs N     timed runs of each kind (default 25)
#   --before REV also times the gate built from git revision REV, in the same run (built under /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."
arguments=()
while [ $# -gt 0 ]; do
  if [ "$1" = --before ] && [ $# -gt 1 ]; then
    revision=$(git rev-parse --short "$2^{commit}")
    tree=/tmp/mivora-gate-$revision
    if [ ! -f "$tree/build/win32/bin/Mivora.exe" ]; then
      rm -rf "$tree" && mkdir -p "$tree"
      git archive "$revision" | tar -x -C "$tree"
      (cd "$tree" && cmake --preset win32 >/dev/null && cmake --build --preset win32 --target Mivora -j"$(nproc)" >/dev/null)
    fi
    arguments+=(--before "Z:$tree/build/win32/bin/Mivora.exe")
    shift 2
  else
    arguments+=("$1")
    shift
  fi
done
scripts/install-deps.sh >/dev/null
scripts/build.sh win32 >/dev/null
exec scripts/rig.sh build/win32 wine build/win32/bin/MivoraBench.exe "${arguments[@]}"
