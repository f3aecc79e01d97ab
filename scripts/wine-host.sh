# Sourced by every script that runs Windows programs: the one place that decides between 32 and 64 bits.
#   wine32, wine32_why  1 where this host's Wine runs 32-bit programs (the shipped Mivora.exe and the
#                       win32 tree), else 0 with the reason; the 64-bit test build (win64) runs on every
#                       x86-64 host. MIVORA_WINE_BITS=64 takes the 64-bit-only road on a host that could
#                       run both.
#   gate_tree           the tree whose gate the main job and the benchmark run: win32 where it runs,
#                       else win64.
#   wine_of_tree DIR    sets WINEARCH and WINELOADER for the build tree DIR: 64-bit Wine for a win64
#                       tree, 32-bit Wine for a win32 one.
if [ "${MIVORA_WINE_BITS:-}" = 64 ]; then
  wine32=0
  wine32_why="MIVORA_WINE_BITS=64"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine32=1
  wine32_why=""
else
  wine32=0
  wine32_why="this host runs no 32-bit programs"
fi
gate_tree=win32
[ "$wine32" = 1 ] || gate_tree=win64

wine_of_tree() {
  if grep -qx 'MIVORA_TARGET:STRING=win64' "$1/CMakeCache.txt" 2>/dev/null; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  else
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  fi
}
