#!/usr/bin/env bash
# Installs, only when missing, every Debian package the builds and the Wine rig need.
set -euo pipefail

packages=(cmake g++ make ninja-build googletest libgtest-dev clang libclang-rt-14-dev
          clang-format mingw-w64 g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32 xvfb x11-apps xauth imagemagick fonts-nanum xdotool python3 file)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  name=$p
  [ "$p" = wine32 ] && name=wine32:i386
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" || missing+=("$name")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The mingw compilers must use the posix thread model for std::mutex-free C++20 with static libstdc++;
# win32 model is enough for us and needs no libwinpthread DLL.
