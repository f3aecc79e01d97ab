#pragma once

#include <windows.h>

#include <string>

using ModuleFileNameFunction = DWORD(WINAPI*)(HMODULE, LPSTR, DWORD);

// Full path of a loaded module (the program's own file for null), however long; empty when it cannot be
// had whole. Tests pass a stand-in for GetModuleFileNameA.
std::string ModuleFilePath(HMODULE module, ModuleFileNameFunction moduleFileName = ::GetModuleFileNameA);
// Its folder, ending in "\"; empty when the path cannot be had.
std::string ModuleDirectory(HMODULE module);
