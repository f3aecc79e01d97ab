#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <string>

// Raw access to HKEY_LOCAL_MACHINE for tests that prepare values the program itself never writes.
namespace scratch {

inline void DeleteTree(HKEY parent, const std::string& path) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS)
        return;
    {
        platform::UniqueKey key(raw);
        char name[256];
        DWORD length = sizeof(name);
        while (::RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            DeleteTree(key.get(), name);
            length = sizeof(name);
        }
    }
    ::RegDeleteKeyA(parent, path.c_str());
}

inline void DeleteTree(const std::string& path) {
    DeleteTree(HKEY_LOCAL_MACHINE, path);
}

inline bool SetValue(const std::string& path, const char* name, DWORD type, const std::string& bytes) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        return false;
    platform::UniqueKey key(raw);
    return ::RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

inline bool SetText(const std::string& path, const char* name, const std::string& text, DWORD type = REG_SZ) {
    return SetValue(path, name, type, text + '\0');
}

inline bool KeyPresent(const std::string& path) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    platform::UniqueKey key(raw);
    return true;
}

// The handle value that the next handle opened would get. Handles (keys among them) take the lowest
// free slot, so the value changes while a key is left open.
inline HANDLE NextFreeHandle() {
    HANDLE probe = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ::CloseHandle(probe);
    return probe;
}

} // namespace scratch
