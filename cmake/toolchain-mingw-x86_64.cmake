# The 64-bit test build: the same sources and tests as win32, for hosts whose Wine runs no 32-bit
# programs. The shipped program is the 32-bit one.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
