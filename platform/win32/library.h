#pragma once

#include <windows.h>

#include <string>

namespace platform {

// Runs load(fullPath, null, LOAD_WITH_ALTERED_SEARCH_PATH) under the fault guard: null when it failed
// or a fault inside it (the library's start-up code) was caught. LoadLibraryFile passes LoadLibraryExA;
// tests pass a load that faults.
HMODULE GuardedLoad(HMODULE(WINAPI* load)(LPCSTR, HANDLE, DWORD), const std::string& fullPath);

// Runs release(library) under the fault guard: false when a fault inside it was caught. ReleaseLibrary
// passes FreeLibrary; tests pass a release that faults.
bool GuardedRelease(BOOL(WINAPI* release)(HMODULE), HMODULE library);

} // namespace platform
