#pragma once

#include "platform/registry_value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Keys under HKEY_LOCAL_MACHINE. Paths are spelt as the program writes them: a leading "\" starts at the
// hive's root and a trailing "\" may follow. Errors are RegistryError with the texts the user sees.
namespace platform {

// One key opened for full access, created when missing (non-volatile). Where that is refused (a user who
// may only read the hive) an existing key is opened for reading (0x20009), and writes fail. A key that
// can be neither stays closed: reads then find nothing, silently.
class RegistryKey {
public:
    explicit RegistryKey(std::string_view path);
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)), writable_(std::exchange(other.writable_, false)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, nullptr);
            writable_ = std::exchange(other.writable_, false);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    // Opened for full access.
    bool IsWritable() const { return writable_; }
    void Close();

    // The size-and-type query succeeds.
    bool ValueExists(std::string_view name) const;
    // REG_SZ or REG_EXPAND_SZ, not expanded, cut at the first NUL; "" when missing or empty.
    std::string ReadString(std::string_view name) const;
    // REG_DWORD.
    std::int32_t ReadInteger(std::string_view name) const;
    // REG_DWORD, four bytes.
    void WriteInteger(std::string_view name, std::int32_t value);

private:
    void* handle_ = nullptr; // HKEY on Windows; the fake's own key otherwise
    bool writable_ = false;
};

} // namespace platform
