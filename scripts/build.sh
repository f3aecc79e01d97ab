#!/usr/bin/env bash
# Configures and builds trees (native, win32, win64), or native and win32 when none is named.
set -euo pipefail
cd "$(dirname "$0")/.."
# ccache, where present, keeps object files across clones on this machine (paths taken relative to the
# clone, so another clone of the same sources hits the same entries).
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win32)
for p in "${presets[@]}"; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j"$(nproc)"
done
