#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Registers, once per name, a window class with the given procedure. Returns the class name.
std::string FrameworkWindowClass(std::string_view className, WNDPROC procedure);
