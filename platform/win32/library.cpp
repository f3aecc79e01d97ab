#include "platform/library.h"

#include "platform/debug_output.h"
#include "platform/win32/fault_guard.h"
#include "platform/win32/foreign_call.h"
#include "platform/win32/library.h"

namespace platform {

namespace {

// The path made full against the current directory; empty when it cannot be.
std::string FullPath(const std::string& path) {
    const DWORD size = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::string full(size, '\0');
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), size, full.data(), &name);
    full.resize(length < size ? length : 0);
    return full;
}

// A fault the guard caught in the library's `step`, for the debug output; tells whether there was one.
bool SayFault(const std::optional<DWORD>& fault, const char* step) {
    if (fault)
        DebugLine("fault ", Hex{*fault}, " in the library's ", step);
    return fault.has_value();
}

} // namespace

HMODULE GuardedLoad(HMODULE(WINAPI* load)(LPCSTR, HANDLE, DWORD), const std::string& fullPath) {
    HMODULE library = nullptr;
    DWORD error = ERROR_SUCCESS;
    auto body = [&]() noexcept {
        library = load(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        error = ::GetLastError();
    };
    if (SayFault(RunGuarded(body), "start-up code"))
        return nullptr;
    if (library == nullptr)
        DebugLine("library not loaded, Windows error ", error, ": ", fullPath);
    return library;
}

LibraryHandle LoadLibraryFile(const std::string& path) {
    const std::string fullPath = FullPath(path);
    if (fullPath.empty())
        return nullptr;
    // No system message box for a file that is no library or lies on a missing drive.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = GuardedLoad(&::LoadLibraryExA, fullPath);
    ::SetErrorMode(previous);
    return library;
}

ExportAddress FindExport(LibraryHandle library, const char* name) {
    return reinterpret_cast<ExportAddress>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

bool GuardedRelease(BOOL(WINAPI* release)(HMODULE), HMODULE library) {
    auto body = [&]() noexcept { release(library); };
    return !SayFault(RunGuarded(body), "release");
}

bool ReleaseLibrary(LibraryHandle library) {
    return GuardedRelease(&::FreeLibrary, static_cast<HMODULE>(library));
}

std::optional<std::int32_t> CallStdcall4(ExportAddress function, std::uintptr_t first, std::uintptr_t second,
                                         std::uintptr_t third, std::uintptr_t fourth) {
    const std::uintptr_t arguments[4] = {first, second, third, fourth};
    std::int32_t result = 0;
    auto body = [&]() noexcept { result = CallFourArguments(function, arguments); };
    if (SayFault(RunGuarded(body), "call"))
        return std::nullopt;
    return result;
}

} // namespace platform
