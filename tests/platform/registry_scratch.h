#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <string>
#include <vector>

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

// Makes a key and every key below it readable, but neither writable nor extensible, for everyone: the
// machine's keys as a limited account finds them. Each key gets its former access list back at the end,
// through a handle opened before the change, so a failing test cannot leave the keys locked.
class ReadOnlyTree {
public:
    explicit ReadOnlyTree(const std::string& path) {
        BYTE everyone[SECURITY_MAX_SID_SIZE];
        DWORD sidSize = sizeof(everyone);
        ::CreateWellKnownSid(WinWorldSid, nullptr, everyone, &sidSize);
        ::InitializeAcl(reinterpret_cast<ACL*>(acl_), sizeof(acl_), ACL_REVISION);
        ::AddAccessAllowedAce(reinterpret_cast<ACL*>(acl_), ACL_REVISION, KEY_READ, everyone);
        ::InitializeSecurityDescriptor(&readOnly_, SECURITY_DESCRIPTOR_REVISION);
        ::SetSecurityDescriptorDacl(&readOnly_, TRUE, reinterpret_cast<ACL*>(acl_), FALSE);
        Lock(path);
    }
    ~ReadOnlyTree() {
        for (Locked& key : locked_)
            ::RegSetKeySecurity(key.Key.get(), DACL_SECURITY_INFORMATION, key.Former.data());
    }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

    // Every key of the tree was found and locked.
    bool Complete() const { return complete_; }

private:
    struct Locked {
        platform::UniqueKey Key;
        std::vector<BYTE> Former;
    };

    // Children first: a locked parent would no longer list them for a walk that came later.
    void Lock(const std::string& path) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | WRITE_DAC, &raw) !=
            ERROR_SUCCESS) {
            complete_ = false;
            return;
        }
        Locked key{platform::UniqueKey(raw), {}};
        char name[256];
        DWORD length = sizeof(name);
        for (DWORD i = 0;
             ::RegEnumKeyExA(raw, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof(name))
            Lock(path + "\\" + name);
        DWORD size = 0;
        ::RegGetKeySecurity(raw, DACL_SECURITY_INFORMATION, nullptr, &size);
        key.Former.resize(size);
        if (size == 0 ||
            ::RegGetKeySecurity(raw, DACL_SECURITY_INFORMATION, key.Former.data(), &size) != ERROR_SUCCESS ||
            ::RegSetKeySecurity(raw, DACL_SECURITY_INFORMATION, &readOnly_) != ERROR_SUCCESS) {
            complete_ = false;
            return;
        }
        locked_.push_back(std::move(key));
    }

    alignas(DWORD) BYTE acl_[128];
    SECURITY_DESCRIPTOR readOnly_{};
    std::vector<Locked> locked_;
    bool complete_ = true;
};

// The handle value that the next handle opened would get. Handles (keys among them) take the lowest
// free slot, so the value changes while a key is left open.
inline HANDLE NextFreeHandle() {
    HANDLE probe = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ::CloseHandle(probe);
    return probe;
}

} // namespace scratch
