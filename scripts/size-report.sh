#!/usr/bin/env bash
# Where the bytes of the shipped Mivora.exe go: its sections, and its code by part of the program.
# Builds the 32-bit program once more in build/size with line information (-g adds debug sections
# only, the code is the same), links it unstripped, and reads which source file each function came from.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh size >/dev/null
tree=build/size
# The program's own link, unstripped and to another file.
(cd "$tree/app" && eval "$(grep -- '-o ../bin/Mivora.exe' CMakeFiles/Mivora.dir/link.txt |
  sed -e 's| -s | |' -e 's|-Wl,-Map=[^ ]*||' -e 's|-Wl,--out-implib,[^ ]*||' \
      -e 's|-o ../bin/Mivora.exe|-o ../bin/Mivora-named.exe|')")
python3 tools/size_report/size_report.py "$tree/bin/Mivora.exe" "$tree/bin/Mivora-named.exe"
