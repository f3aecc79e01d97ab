# Sourced by the scripts that run Windows programs: which Windows builds this host's Wine can run.
# Sets wine32 to 1 where 32-bit programs run (the shipped Mivora.exe and the win32 tree), else to 0 with
# wine32_why saying why; the 64-bit test build (win64) runs on every x86-64 host.
# MIVORA_WINE_BITS=64 takes the 64-bit-only road on a host that could run both.
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
