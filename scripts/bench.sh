#!/usr/bin/env bash
# The start-up benchmark: times the gate's roads against a do-nothing program and against what roads 1
# and 3 cannot avoid under the Wine rig, and reports the gate's size, its peak working set and the time of
# one message dialog.
#   scripts/bench.sh [--runs N] [--before REV]
#   --runs N     timed runs of each kind (default 25)
#   --before REV also times the gate built from git revision REV, in the same run (built under /tmp, as
#                the same build as the current one)
# It times the shipped 32-bit build where the host runs 32-bit programs, else the 64-bit test build: every
# ratio it prints is measured within the one build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-host.sh
tree=$gate_tree
echo "bench: the $tree build${wine32_why:+ ($wine32_why)}"
arguments=()
while [ $# -gt 0 ]; do
  if [ "$1" = --before ] && [ $# -gt 1 ]; then
    revision=$(git rev-parse --short "$2^{commit}")
    earlier=/tmp/mivora-gate-$revision
    if [ ! -f "$earlier/build/$tree/bin/Mivora.exe" ]; then
      rm -rf "$earlier" && mkdir -p "$earlier"
      git archive "$revision" | tar -x -C "$earlier"
      (cd "$earlier" && cmake --preset "$tree" >/dev/null &&
        cmake --build --preset "$tree" --target Mivora -j"$(nproc)" >/dev/null) ||
        { echo "bench: the $tree gate of $revision could not be built" >&2; exit 1; }
    fi
    arguments+=(--before "Z:$earlier/build/$tree/bin/Mivora.exe")
    shift 2
  else
    arguments+=("$1")
    shift
  fi
done
scripts/install-deps.sh >/dev/null
scripts/build.sh "$tree" >/dev/null
exec scripts/rig.sh "build/$tree" wine "build/$tree/bin/MivoraBench.exe" "${arguments[@]}"
