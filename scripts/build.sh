#!/usr/bin/env bash
# Configures and builds one tree (native or win32), or both when no preset is named.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native win32)
for p in "${presets[@]}"; do
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j"$(nproc)"
done
