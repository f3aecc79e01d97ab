#include "platform/win32/system_function.h"

#include "platform/text.h"
#include "platform/win32/unique_resource.h"

#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {
// The full path of a DLL in the system folder.
std::string SystemDllPath(const char* dll) {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    std::string path(folder, length < MAX_PATH ? length : 0);
    if (!path.empty() && !EndsWithSeparator(path, IsSystemLeadByte))
        path += '\\';
    return path + dll;
}
} // namespace

FARPROC SystemFunction(const char* dll, const char* name) {
    static std::vector<std::pair<std::string, UniqueModule>> loaded;
    for (const auto& [file, module] : loaded)
        if (file == dll)
            return module ? ::GetProcAddress(module.get(), name) : nullptr;
    loaded.emplace_back(dll, UniqueModule(::LoadLibraryA(SystemDllPath(dll).c_str())));
    const auto& module = loaded.back().second;
    return module ? ::GetProcAddress(module.get(), name) : nullptr;
}

} // namespace platform
