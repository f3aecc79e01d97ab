#include "platform/library.h"

#include "platform/debug_output.h"
#include "platform/win32/fault_guard.h"
#include "platform/win32/library.h"

extern "C" std::int32_t mivora_call_stdcall4(void* function, const std::uint32_t* arguments);

// Pushes the four arguments, calls, and then takes the stack pointer back from the frame pointer,
// whatever the callee removed. Callee-saved registers are restored from this frame too.
asm(R"(
    .text
    .globl _mivora_call_stdcall4
    .def _mivora_call_stdcall4; .scl 2; .type 32; .endef
_mivora_call_stdcall4:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %eax
    pushl 12(%eax)
    pushl 8(%eax)
    pushl 4(%eax)
    pushl (%eax)
    call *8(%ebp)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

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
    const std::uint32_t arguments[4] = {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(second),
                                        static_cast<std::uint32_t>(third),
                                        static_cast<std::uint32_t>(fourth)};
    std::int32_t result = 0;
    auto body = [&]() noexcept { result = mivora_call_stdcall4(function, arguments); };
    if (SayFault(RunGuarded(body), "call"))
        return std::nullopt;
    return result;
}

} // namespace platform
