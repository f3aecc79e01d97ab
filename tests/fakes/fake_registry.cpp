#include "platform/registry.h"
#include "tests/fakes/platform_fakes.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

struct FakeKey {
    std::string Name;
    std::map<std::string, platform::RawValue> Values; // by lower-cased name
};

struct FakeRegistry {
    std::map<std::string, FakeKey> Keys; // by lower-cased relative path
    std::vector<std::string> CreationOrder;
    bool Writable = true;
    int OpenKeys = 0;
};

FakeRegistry& Registry() {
    static FakeRegistry registry;
    return registry;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

FakeKey* FindKey(std::string_view path) {
    auto found = Registry().Keys.find(Lower(platform::RelativeKeyPath(path)));
    return found == Registry().Keys.end() ? nullptr : &found->second;
}

// Creates the key and every missing parent, as the system does.
FakeKey& EnsureKey(std::string_view path) {
    const std::string relative = platform::RelativeKeyPath(path);
    FakeKey* key = nullptr;
    for (std::size_t end = 0; end != std::string::npos;) {
        end = relative.find('\\', end + 1);
        const std::string prefix = relative.substr(0, end);
        auto [it, inserted] = Registry().Keys.try_emplace(Lower(prefix), FakeKey{prefix, {}});
        if (inserted)
            Registry().CreationOrder.push_back(prefix);
        key = &it->second;
    }
    return *key;
}

// What an open key handle points at in the fake.
struct OpenKey {
    std::string Path;
};

FakeKey* KeyOf(void* handle) {
    return handle == nullptr ? nullptr : FindKey(static_cast<OpenKey*>(handle)->Path);
}

std::optional<platform::RawValue> Lookup(void* handle, std::string_view name) {
    FakeKey* key = KeyOf(handle);
    if (key == nullptr)
        return std::nullopt;
    auto found = key->Values.find(Lower(name));
    if (found == key->Values.end())
        return std::nullopt;
    return found->second;
}

} // namespace

namespace platform {

// As on Windows for a user who may only read the hive: full access is refused, so an existing key is
// opened for reading and a missing one is not created.
RegistryKey::RegistryKey(std::string_view path) {
    if (Registry().Writable)
        EnsureKey(path);
    else if (FindKey(path) == nullptr)
        return;
    key_.reset(new OpenKey{std::string(path)});
    writable_ = Registry().Writable;
    ++Registry().OpenKeys;
}

void OpenKeyTraits::Close(Handle key) {
    delete static_cast<OpenKey*>(key);
    --Registry().OpenKeys;
}

bool RegistryKey::ValueExists(std::string_view name) const {
    return Lookup(key_.get(), name).has_value();
}

std::string RegistryKey::ReadString(std::string_view name) const {
    return DecodeText(name, Lookup(key_.get(), name));
}

std::int32_t RegistryKey::ReadInteger(std::string_view name) const {
    return DecodeInteger(name, Lookup(key_.get(), name));
}

void RegistryKey::WriteInteger(std::string_view name, std::int32_t value) {
    FakeKey* key = KeyOf(key_.get());
    if (key == nullptr || !IsWritable())
        RaiseSetDataFailed(name);
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes{char(bits), char(bits >> 8), char(bits >> 16), char(bits >> 24)};
    key->Values[Lower(name)] = RawValue{RegDword, std::move(bytes)};
}

} // namespace platform

namespace fakes {

void ResetRegistryFake() {
    Registry() = FakeRegistry{};
}

void SetRegistryValue(std::string_view key, std::string_view name, std::uint32_t type, std::string bytes) {
    EnsureKey(key).Values[Lower(name)] = platform::RawValue{type, std::move(bytes)};
}

void SetRegistryString(std::string_view key, std::string_view name, std::string_view text,
                       std::uint32_t type) {
    std::string bytes(text);
    bytes.push_back('\0');
    SetRegistryValue(key, name, type, std::move(bytes));
}

void SetRegistryDword(std::string_view key, std::string_view name, std::uint32_t value) {
    SetRegistryValue(key, name, platform::RegDword,
                     std::string{char(value), char(value >> 8), char(value >> 16), char(value >> 24)});
}

void DeleteRegistryValue(std::string_view key, std::string_view name) {
    if (FakeKey* found = FindKey(key))
        found->Values.erase(Lower(name));
}

std::optional<platform::RawValue> RegistryValue(std::string_view key, std::string_view name) {
    FakeKey* found = FindKey(key);
    if (found == nullptr)
        return std::nullopt;
    auto value = found->Values.find(Lower(name));
    if (value == found->Values.end())
        return std::nullopt;
    return value->second;
}

bool RegistryKeyPresent(std::string_view key) {
    return FindKey(key) != nullptr;
}

std::vector<std::string> RegistryKeys() {
    return Registry().CreationOrder;
}

void SetRegistryWritable(bool writable) {
    Registry().Writable = writable;
}

int OpenRegistryKeyCount() {
    return Registry().OpenKeys;
}

} // namespace fakes
