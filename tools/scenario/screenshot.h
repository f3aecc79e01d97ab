#pragma once

#include <windows.h>

#include <string>

namespace scenario {

// Saves what the screen shows of the window as a 24-bit BMP under MIVORA_SCREENSHOTS (or the current
// directory); returns the file's path, or empty when the file could not be written whole.
std::string SaveScreenshot(HWND window, const std::string& name);

} // namespace scenario
