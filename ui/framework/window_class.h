#pragma once

#include <windows.h>

#include <string_view>

// Registers, once per name, a window class with the given procedure. Returns the class name as
// registered.
const char* FrameworkWindowClass(std::string_view className, WNDPROC procedure);
