#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The windows of another process: found by title, read, and watched until they go.
namespace scenario {

// The visible top-level window of process `processId` with the title, or null after the time-out.
HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD timeoutMs);
// The visible message dialog of process `processId`, or null after the time-out.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);
// The texts of a system message box's static controls, joined by newlines.
std::wstring MessageBoxText(HWND box);
// True when the dialog is gone within the time-out.
bool WaitForDialogGone(HWND dialog, DWORD timeoutMs);
// The top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::string ClassOf(HWND window);
std::wstring TitleOf(HWND window);

} // namespace scenario
