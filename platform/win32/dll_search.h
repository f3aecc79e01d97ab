#pragma once

#include <windows.h>

// Where this program's DLLs come from: never the current directory, which may be a download folder
// holding a DLL planted under a system DLL's name.
namespace platform {

// Takes the current directory out of the system's DLL search for the rest of the run. Windows XP SP1 and
// later can; on older systems nothing changes.
void RemoveCurrentDirectoryFromDllSearch();

// The same through the given SetDllDirectoryA, or nothing when it is null. Tests pass their own.
void RemoveCurrentDirectoryFromDllSearch(BOOL(WINAPI* setDllDirectory)(LPCSTR));

} // namespace platform
