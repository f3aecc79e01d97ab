#include "tools/scenario/window_search.h"

namespace scenario {
namespace {

struct WindowSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search->ProcessId)
        search->Found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[512] = {};
    ::GetWindowTextW(window, title, 512);
    return title;
}

HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : TopLevelWindows(processId))
            if (::IsWindowVisible(window) && TitleOf(window) == title)
                return window;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
    return WaitForWindow(processId, L"Zelvano Mivora - Message", timeoutMs);
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "Static" && !TitleOf(child).empty())
            text += (text.empty() ? L"" : L"\n") + TitleOf(child);
    return text;
}

bool WaitForDialogGone(HWND dialog, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

} // namespace scenario
