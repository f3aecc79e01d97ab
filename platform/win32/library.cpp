#include "platform/library.h"

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

struct StdcallCall {
    void* Function;
    std::uint32_t Arguments[4];
    std::int32_t Result;
};

struct Load {
    HMODULE(WINAPI* Function)(LPCSTR, HANDLE, DWORD);
    const char* Path;
    HMODULE Library;
};

struct Release {
    BOOL(WINAPI* Function)(HMODULE);
    HMODULE Library;
};

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

} // namespace

HMODULE GuardedLoad(HMODULE(WINAPI* load)(LPCSTR, HANDLE, DWORD), const std::string& fullPath) {
    Load call{load, fullPath.c_str(), nullptr};
    const auto fault = RunGuarded(
        [](void* context) noexcept {
            auto& l = *static_cast<Load*>(context);
            l.Library = l.Function(l.Path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        },
        &call);
    return fault ? nullptr : call.Library;
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
    Release call{release, library};
    return !RunGuarded(
        [](void* context) noexcept {
            auto& r = *static_cast<Release*>(context);
            r.Function(r.Library);
        },
        &call);
}

bool ReleaseLibrary(LibraryHandle library) {
    return GuardedRelease(&::FreeLibrary, static_cast<HMODULE>(library));
}

std::optional<std::int32_t> CallStdcall4(ExportAddress function, std::uintptr_t first, std::uintptr_t second,
                                         std::uintptr_t third, std::uintptr_t fourth) {
    StdcallCall call{function,
                     {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(second),
                      static_cast<std::uint32_t>(third), static_cast<std::uint32_t>(fourth)},
                     0};
    const auto fault = RunGuarded(
        [](void* context) noexcept {
            auto& c = *static_cast<StdcallCall*>(context);
            c.Result = mivora_call_stdcall4(c.Function, c.Arguments);
        },
        &call);
    if (fault)
        return std::nullopt;
    return call.Result;
}

} // namespace platform
