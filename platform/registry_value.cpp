#include "platform/registry_value.h"

#include <algorithm>

namespace platform {

namespace {

[[noreturn]] void RaiseInvalidType(std::string_view name) {
    throw RegistryError("Invalid data type for '" + std::string(name) + "'");
}

} // namespace

void RaiseGetDataFailed(std::string_view name) {
    throw RegistryError("Failed to get data for '" + std::string(name) + "'");
}

void RaiseSetDataFailed(std::string_view name) {
    throw RegistryError("Failed to set data for '" + std::string(name) + "'");
}

std::optional<RawValue> ReadWholeValue(std::string_view name, const ValueQuery& query) {
    RawValue value;
    std::uint32_t size = 0;
    switch (query(value.Type, nullptr, size)) {
    case QueryStatus::Missing:
        return std::nullopt;
    case QueryStatus::Failed:
        RaiseGetDataFailed(name);
    case QueryStatus::Ok:
    case QueryStatus::MoreData:
        break;
    }
    // The value may change between two queries: read until one buffer holds all of it.
    while (size != 0) {
        value.Bytes.assign(size, '\0');
        std::uint32_t written = size;
        switch (query(value.Type, value.Bytes.data(), written)) {
        case QueryStatus::Ok:
            value.Bytes.resize(std::min(written, size));
            return value;
        case QueryStatus::MoreData:
            size = std::max(written, size * 2);
            break;
        case QueryStatus::Missing:
            return std::nullopt;
        case QueryStatus::Failed:
            RaiseGetDataFailed(name);
        }
    }
    value.Bytes.clear();
    return value;
}

std::string DecodeText(std::string_view name, const std::optional<RawValue>& value) {
    if (!value || value->Bytes.empty())
        return {};
    if (value->Type != RegSz && value->Type != RegExpandSz)
        RaiseInvalidType(name);
    return value->Bytes.substr(0, value->Bytes.find('\0'));
}

std::int32_t DecodeInteger(std::string_view name, const std::optional<RawValue>& value) {
    // Four bytes are read before the type is judged: a longer value of any type cannot be read at all.
    if (!value || value->Bytes.size() > sizeof(std::int32_t))
        RaiseGetDataFailed(name);
    if (value->Type != RegDword)
        RaiseInvalidType(name);
    // A shorter value fills the low bytes, as a read into a zeroed four-byte buffer would.
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < value->Bytes.size(); ++i)
        bits |= std::uint32_t(static_cast<unsigned char>(value->Bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

std::string RelativeKeyPath(std::string_view path) {
    if (path.starts_with('\\'))
        path.remove_prefix(1);
    if (path.ends_with('\\'))
        path.remove_suffix(1);
    return std::string(path);
}

} // namespace platform
