#include "platform/registry.h"

#include <windows.h>

namespace platform {

namespace {

HKEY KeyOf(void* handle) {
    return static_cast<HKEY>(handle);
}

// The size-and-type query counts any failure as a missing value; a read may find the value grown.
ValueQuery QueryOf(HKEY key, const std::string& name) {
    return [key, &name](std::uint32_t& type, char* data, std::uint32_t& size) {
        DWORD valueType = REG_NONE;
        DWORD valueSize = size;
        const LONG status = ::RegQueryValueExA(key, name.c_str(), nullptr, &valueType,
                                               reinterpret_cast<BYTE*>(data), &valueSize);
        type = valueType;
        size = valueSize;
        if (status == ERROR_SUCCESS)
            return QueryStatus::Ok;
        if (data == nullptr || status == ERROR_FILE_NOT_FOUND)
            return QueryStatus::Missing;
        return status == ERROR_MORE_DATA ? QueryStatus::MoreData : QueryStatus::Failed;
    };
}

std::optional<RawValue> ReadValue(HKEY key, std::string_view name) {
    if (key == nullptr)
        return std::nullopt;
    const std::string text(name);
    return ReadWholeValue(name, QueryOf(key, text));
}

} // namespace

void OpenKeyTraits::Close(Handle key) {
    ::RegCloseKey(KeyOf(key));
}

RegistryKey::RegistryKey(std::string_view path) {
    const std::string relative = RelativeKeyPath(path);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        key_.reset(key);
        writable_ = true;
        return;
    }
    // A limited account may read the machine's keys but neither write nor create them. Read rights
    // only: query values, enumerate subkeys, standard read (0x20009).
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, relative.c_str(), 0,
                        STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                        &key) == ERROR_SUCCESS)
        key_.reset(key);
}

bool RegistryKey::ValueExists(std::string_view name) const {
    return IsOpen() && ::RegQueryValueExA(KeyOf(key_.get()), std::string(name).c_str(), nullptr, nullptr,
                                          nullptr, nullptr) == ERROR_SUCCESS;
}

std::string RegistryKey::ReadString(std::string_view name) const {
    return DecodeText(name, ReadValue(KeyOf(key_.get()), name));
}

std::int32_t RegistryKey::ReadInteger(std::string_view name) const {
    return DecodeInteger(name, ReadValue(KeyOf(key_.get()), name));
}

void RegistryKey::WriteInteger(std::string_view name, std::int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    if (!IsOpen() || ::RegSetValueExA(KeyOf(key_.get()), std::string(name).c_str(), 0, REG_DWORD,
                                      reinterpret_cast<const BYTE*>(&data), sizeof(data)) != ERROR_SUCCESS)
        RaiseSetDataFailed(name);
}

} // namespace platform
