#pragma once

#include <windows.h>

#include <string>

// Full path of a loaded module (the program's own file for null); empty when it cannot be had.
std::string ModuleFilePath(HMODULE module);
// Its folder, ending in "\"; empty when the path cannot be had.
std::string ModuleDirectory(HMODULE module);
