#!/usr/bin/env bash
# Installs, only when missing, every Debian package the builds and the Wine rig need.
set -euo pipefail

# pulseaudio with a null sink gives the rig's Wine a wave-out device; libpulse0:i386 is what Wine's 32-bit
# winepulse driver loads. wine64 and the x86-64 compilers make the 64-bit test build, which runs where
# the host runs no 32-bit programs; ccache keeps object files between builds.
packages=(cmake g++ make ninja-build googletest libgtest-dev clang libclang-rt-14-dev
          clang-format mingw-w64 g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64 ccache
          wine wine32 wine64 xvfb x11-apps xauth imagemagick fonts-nanum xdotool python3 file
          pulseaudio libpulse0:i386)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# On a fresh machine automatic updates often hold the package manager's lock for a while, and a second
# install may run beside this one: wait for the lock (up to five minutes) rather than fail at once.
lock_wait=300
apt_get() {
  local waited=0 log status
  log=$(mktemp)
  while :; do
    status=0
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout="$lock_wait" "$@" 2>"$log" ||
      status=$?
    if [ $status -eq 0 ] || ! grep -qiE 'could not get lock|unable to (acquire|lock)' "$log" ||
       [ $waited -ge $lock_wait ]; then
      cat "$log" >&2
      rm -f "$log"
      return $status
    fi
    [ $waited -eq 0 ] && echo "install-deps: another install holds the package manager's lock; waiting up to $((lock_wait / 60)) minutes" >&2
    sleep 5
    waited=$((waited + 5))
  done
}

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
  # A mirror in the middle of a sync fails part of the index: try again, then install from what came.
  for attempt in 1 2 3; do
    apt_get update -qq && break
    [ $attempt -lt 3 ] && sleep 10 ||
      echo "install-deps: the package index could not be wholly refreshed; installing from what was fetched" >&2
  done
  # When part of the index is missing (the security suite's i386 list, say), the 32-bit half of a
  # multi-arch library can lag its installed 64-bit half: take both from the release suite then.
  apt_get install -y -qq --no-install-recommends "${missing[@]}" ||
    apt_get install -y -qq --no-install-recommends -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" "${missing[@]}"
fi
