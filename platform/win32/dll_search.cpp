#include "platform/win32/dll_search.h"

#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform {

void RemoveCurrentDirectoryFromDllSearch() {
    using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR);
    static const auto setDllDirectory =
        SystemFunction<SetDllDirectoryProc>("kernel32.dll", "SetDllDirectoryA");
    if (setDllDirectory != nullptr)
        setDllDirectory("");
}

std::string SystemDllPath(const char* dll) {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    std::string path(folder, length < MAX_PATH ? length : 0);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + dll;
}

} // namespace platform
