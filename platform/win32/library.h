#pragma once

#include <windows.h>

namespace platform {

// Runs release(library) under the fault guard: false when a fault inside it was caught. ReleaseLibrary
// passes FreeLibrary; tests pass a release that faults.
bool GuardedRelease(BOOL(WINAPI* release)(HMODULE), HMODULE library);

} // namespace platform
