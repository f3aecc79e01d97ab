#include "platform/win32/dll_search.h"

#include "platform/text.h"
#include "platform/win32/system_function.h"

namespace platform {

void RemoveCurrentDirectoryFromDllSearch() {
    using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR);
    RemoveCurrentDirectoryFromDllSearch(
        SystemFunction<SetDllDirectoryProc>("kernel32.dll", "SetDllDirectoryA"));
}

void RemoveCurrentDirectoryFromDllSearch(BOOL(WINAPI* setDllDirectory)(LPCSTR)) {
    if (setDllDirectory != nullptr)
        setDllDirectory("");
}

std::string SystemDllPath(const char* dll) {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    std::string path(folder, length < MAX_PATH ? length : 0);
    if (!path.empty() && !EndsWithSeparator(path, IsSystemLeadByte))
        path += '\\';
    return path + dll;
}

} // namespace platform
