// What road 4 cannot avoid, linked like the gate: the instance mutex, the three window lookups, one hidden
// top-level window, the suite's registry reads, the check library loaded, asked (it answers -204) and
// released, and the start of the main program. The gate's road 4 is measured against it, up to the main
// program's entry.
#include "bench/limit_steps.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr char ProductKey[] = "Software\\QUENTAR\\ZelvanoManager\\";

// The value read from the key, created when missing, as the gate opens it.
DWORD ReadValue(const char* subKey, const char* name, void* data, DWORD size) {
    char path[MAX_PATH];
    std::strcpy(path, ProductKey);
    std::strcat(path, subKey);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    ::RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    return size;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CreateMutexAndLookUp();
    const HWND window = CreateHiddenWindow(instance);

    DWORD testMode = 0, liveTestMode = 0;
    ReadValue("LiveUpdate", "TestMode", &testMode, sizeof(testMode));
    ReadValue("LiveUpdate", "LiveTestMode", &liveTestMode, sizeof(liveTestMode));
    char version[64] = {};
    ReadValue("Mivora", "ver", version, sizeof(version) - 1);
    char path[MAX_PATH] = {};
    ReadValue("Mivora", "Path", path, sizeof(path) - 1);

    char file[MAX_PATH * 2];
    std::strcpy(file, path);
    std::strcat(file, "ZM_CheckVer.dll");
    int answer = 0;
    if (HMODULE library = ::LoadLibraryExA(file, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {
        using Check = int(WINAPI*)(const char*, int, const char*, int);
        if (auto check =
                reinterpret_cast<Check>(reinterpret_cast<void*>(::GetProcAddress(library, "ZM_luChkVer"))))
            answer = check("ZM_000001", static_cast<int>(testMode), path, static_cast<int>(liveTestMode));
        ::FreeLibrary(library);
    }

    std::strcpy(file, path);
    std::strcat(file, "MivoraMain.exe");
    char commandLine[MAX_PATH * 2];
    std::strcpy(commandLine, file);
    std::strcat(commandLine, " BENCH");
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (::CreateProcessA(file, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &started)) {
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
    }
    ::DestroyWindow(window);
    return answer == -204 ? 0 : 1;
}
