#include "platform/win32/dll_search.h"

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

} // namespace platform
