#pragma once

#include <windows.h>

#include <initializer_list>

// Real keyboard input, as a user types it.
namespace scenario {

// Brings the window forward and types the key with real keyboard input.
void PressKey(HWND window, WORD virtualKey);
// Types `key` with real keyboard input, to the focused window, while the keys `held` are down.
void SendKeys(std::initializer_list<WORD> held, WORD key);

} // namespace scenario
