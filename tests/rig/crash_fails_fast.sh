#!/usr/bin/env bash
# A Windows test program that crashes fails at once, with Wine's backtrace in its output: the rig's prefix
# lets Wine's crash debugger print it and end, instead of showing its crash dialog, which nobody answers
# and which keeps the program's output open, so ctest would wait past every time-out.
#   crash_fails_fast.sh <wine-exec> <crashing program>
set -u
log=$(mktemp)
trap 'rm -f "$log"' EXIT
started=$SECONDS
# The output goes to a file: a debugger that stayed would hold it rather than this script's own pipe.
timeout -k 5 60 "$1" "$2" >"$log" 2>&1
status=$?
cat "$log"
echo "crash_fails_fast: exit status $status after $((SECONDS - started)) s"
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "crash_fails_fast: the crashed program did not end within 60 s" >&2
  exit 1
fi
[ "$status" -ne 0 ] || { echo "crash_fails_fast: the crash was reported as success" >&2; exit 1; }
grep -q '^Backtrace:' "$log" || { echo "crash_fails_fast: no backtrace in the output" >&2; exit 1; }
