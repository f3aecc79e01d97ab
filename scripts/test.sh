#!/usr/bin/env bash
# Everything from a fresh Debian 12 machine: installs what is missing, builds the trees and runs every
# test, the Windows ones under the Wine rig. Extra arguments go to every ctest run (e.g. -R Registry).
# Where the host runs 32-bit programs both Windows trees run: win32, whose tests are the authority for
# the shipped Mivora.exe, and win64. Elsewhere win64 runs, and of win32 only the checks of the shipped
# image that need no Wine (label image32). The last line names the Windows trees that ran.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit
. scripts/wine-host.sh
scripts/build.sh native win32 win64 || exit
ctest --preset native -j"$(nproc)" "$@" || exit

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
summary=()
# Runs one tree's tests and adds "<tree> passed/total" to the summary.
run_tree() {
  local tree=$1 passed total
  shift
  "$@" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -n 1)
  passed=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\2-\1/p' "$log" | tail -n 1)
  if [ -z "$total" ]; then
    summary+=("$tree did not run")
    status=1
  else
    summary+=("$tree $((passed))/$total")
  fi
}
if [ "$wine32" = 1 ]; then
  run_tree win32 scripts/rig.sh build/win32 ctest --preset win32 -j"$(nproc)" "$@"
else
  run_tree "win32 (image checks only)" ctest --preset win32 -L image32 "$@"
fi
run_tree win64 scripts/rig.sh build/win64 ctest --preset win64 -j"$(nproc)" "$@"
line="Windows tests: $(IFS=,; echo "${summary[*]}" | sed 's/,/, /g')"
[ "$wine32" = 1 ] || line+=" ($wine32_why: win32 not run under Wine)"
echo "$line"
exit $status
