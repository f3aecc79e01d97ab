#pragma once

#include "platform/error.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How registry values are read and judged, apart from where they come from.
namespace platform {

// The one error the registry layer raises; its text is shown to the user as it is.
class RegistryError : public Error {
public:
    using Error::Error;
};

// Value types as the registry numbers them.
inline constexpr std::uint32_t RegNone = 0;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegExpandSz = 2;
inline constexpr std::uint32_t RegBinary = 3;
inline constexpr std::uint32_t RegDword = 4;
inline constexpr std::uint32_t RegMultiSz = 7;

struct RawValue {
    std::uint32_t Type = RegNone;
    std::string Bytes;
};

enum class QueryStatus { Ok, MoreData, Missing, Failed };

// One query of a value: with no buffer (data null) it reports type and size; with a buffer of `size`
// bytes it fills it, setting `size` to the bytes written, or to the bytes needed with MoreData.
using ValueQuery = std::function<QueryStatus(std::uint32_t& type, char* data, std::uint32_t& size)>;

// The value's type and all its bytes, however large, and also when it grows between the size query and
// the read. Nothing when the value is missing. Raises "Failed to get data for '%s'" on other failures.
std::optional<RawValue> ReadWholeValue(std::string_view name, const ValueQuery& query);

// Text of a REG_SZ or REG_EXPAND_SZ value (not expanded), cut at its first NUL; empty for a missing or
// zero-size value; "Invalid data type for '%s'" for any other type.
std::string DecodeText(std::string_view name, const std::optional<RawValue>& value);

// A REG_DWORD value: "Failed to get data for '%s'" when missing or longer than four bytes (whatever its
// type), "Invalid data type for '%s'" for any other type.
std::int32_t DecodeInteger(std::string_view name, const std::optional<RawValue>& value);

[[noreturn]] void RaiseGetDataFailed(std::string_view name);
[[noreturn]] void RaiseSetDataFailed(std::string_view name);

// A key path as the program spells it ("\Software\...\") made relative to the hive's root.
std::string RelativeKeyPath(std::string_view path);

} // namespace platform
