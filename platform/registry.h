#pragma once

#include "platform/registry_value.h"
#include "platform/unique_resource.h"

#include <cstdint>
#include <string>
#include <string_view>

// Keys under HKEY_LOCAL_MACHINE. Paths are spelt as the program writes them: a leading "\" starts at the
// hive's root and a trailing "\" may follow. Errors are RegistryError with the texts the user sees.
namespace platform {

// An open key's handle (HKEY on Windows; the fake's own key otherwise), closed by each build.
struct OpenKeyTraits {
    using Handle = void*;
    static Handle Null() { return nullptr; }
    static void Close(Handle key);
};

// One key opened for full access, created when missing (non-volatile). Where that is refused (a user who
// may only read the hive) an existing key is opened for reading (0x20009), and writes fail. A key that
// can be neither stays closed: reads then find nothing, silently.
class RegistryKey {
public:
    explicit RegistryKey(std::string_view path);

    bool IsOpen() const { return static_cast<bool>(key_); }
    // Opened for full access.
    bool IsWritable() const { return writable_ && IsOpen(); }
    void Close() { key_.reset(); }

    // The size-and-type query succeeds.
    bool ValueExists(std::string_view name) const;
    // REG_SZ or REG_EXPAND_SZ, not expanded, cut at the first NUL; "" when missing or empty.
    std::string ReadString(std::string_view name) const;
    // REG_DWORD.
    std::int32_t ReadInteger(std::string_view name) const;
    // REG_DWORD, four bytes.
    void WriteInteger(std::string_view name, std::int32_t value);

private:
    UniqueResource<OpenKeyTraits> key_;
    bool writable_ = false; // meaningful while the key is open
};

} // namespace platform
