#!/usr/bin/env bash
# The Wine rig: runs a command with a private Wine prefix under the build tree, a private Xvfb display
# shared by every Wine process of the run, and tears down everything it started when the command ends.
#   scripts/rig.sh <build-dir> <command...>
# A win32 tree runs under 32-bit Wine, a win64 tree under 64-bit Wine, each in a prefix of its own kind.
# MIVORA_REAL_DISPLAY=1 keeps an existing $DISPLAY instead of starting Xvfb.
set -euo pipefail

build_dir=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)

# One run at a time on a prefix: a second rig would stop the first one's wineserver under it. The lock
# is held by flock itself (-o), so a Wine process that outlives the run cannot keep it.
if [ "${MIVORA_RIG_LOCK:-}" != "$build_dir" ]; then
  export MIVORA_RIG_LOCK="$build_dir"
  exec flock -o "$build_dir/wineprefix.lock" "$here/rig.sh" "$build_dir" "$@"
fi

export WINEPREFIX="$build_dir/wineprefix"
. "$here/wine-host.sh"
wine_of_tree "$build_dir"
# Every `wine` of the run (the scripts', ctest's emulator's) is this loader: the system's wine script
# would try the 32-bit one first, which a host without 32-bit support cannot start.
if ! version=$("$WINELOADER" --version 2>&1); then
  echo "rig: Wine cannot start here ($WINELOADER: ${version##*: }); see scripts/wine-host.sh" >&2
  exit 1
fi
shim_dir="$build_dir/wine-loader"
mkdir -p "$shim_dir"
printf '#!/bin/sh\nexec "%s" "$@"\n' "$WINELOADER" >"$shim_dir/wine"
chmod +x "$shim_dir/wine"
export PATH="$shim_dir:$PATH"
export WINEDEBUG=${WINEDEBUG:--all}
# No network here: keep Wine from offering its Mono and Gecko installers.
export WINEDLLOVERRIDES="mscoree,mshtml="
export MIVORA_BUILD_DIR="$build_dir"
export MIVORA_SCREENSHOTS="${MIVORA_SCREENSHOTS:-$build_dir/screenshots}"
mkdir -p "$MIVORA_SCREENSHOTS"

xvfb_pid=""
pulse_pid=""
pulse_dir=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in $xvfb_pid $pulse_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  [ -z "$pulse_dir" ] || rm -rf "$pulse_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${MIVORA_REAL_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  # A wineserver whose first client had no display leaves later windows invisible: make sure none
  # of ours is left from an earlier run before the display changes.
  wineserver -k >/dev/null 2>&1 || true
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "rig: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$n"
fi

# A sound server of the run's own with a null sink gives Wine a wave-out device: no display, no D-Bus,
# no network protocol, only a socket in a directory of its own (short, for the socket's path limit).
pulse_dir=$(mktemp -d /tmp/mivora-pulse.XXXXXX)
env -u DISPLAY HOME="$pulse_dir" XDG_RUNTIME_DIR="$pulse_dir" DBUS_SESSION_BUS_ADDRESS=disabled: \
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
  -L "module-null-sink sink_name=rig" -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/native" \
  </dev/null >"$pulse_dir/log" 2>&1 &
pulse_pid=$!
for _ in $(seq 100); do [ -S "$pulse_dir/native" ] && break; sleep 0.05; done
[ -S "$pulse_dir/native" ] || { echo "rig: the sound server did not start:" >&2; cat "$pulse_dir/log" >&2; exit 1; }
export PULSE_SERVER="unix:$pulse_dir/native" PULSE_COOKIE="$pulse_dir/cookie"
export MIVORA_RIG=1

"$here/wine-prefix.sh"

# One persistent wineserver for the whole run keeps process starts cheap. Wine's background services
# (explorer, services, plugplay) start with the first program: start them here, away from the output
# pipes of the command, or ctest would wait for them to close those pipes.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
"$@"
