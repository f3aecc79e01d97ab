// Feeds arbitrary text to the conversion of the installed version into a number. The conversion must
// agree with a reference built on the C library, and every number must survive its own decimal and
// hexadecimal spellings.
#include "platform/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return text.substr(std::min(at, text.size())).starts_with(prefix);
}

// The rules: leading blanks, an optional sign, then decimal digits, or hexadecimal digits after "$",
// "x" or "0x" (either case), and nothing else. Decimal must fit the signed range; hexadecimal spells a
// 32-bit pattern, which the sign then negates. The digits themselves are read by strtoull.
std::optional<std::int32_t> Reference(std::string_view text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return std::nullopt;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    int base = 10;
    if (StartsWith(text, i, "0x") || StartsWith(text, i, "0X")) {
        base = 16;
        i += 2;
    } else if (StartsWith(text, i, "$") || StartsWith(text, i, "x") || StartsWith(text, i, "X")) {
        base = 16;
        i += 1;
    }
    const std::string digits(text.substr(std::min(i, text.size())));
    const char* allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos)
        return std::nullopt;

    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE)
        return std::nullopt;
    if (base == 10) {
        const unsigned long long limit = negative ? 2147483648ull : 2147483647ull;
        if (magnitude > limit)
            return std::nullopt;
        const long long value =
            negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
        return static_cast<std::int32_t>(value);
    }
    if (magnitude > 0xFFFFFFFFull)
        return std::nullopt;
    const auto pattern = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
}

std::string Hex(unsigned long long value, bool upper) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, upper ? "%llX" : "%llx", value);
    return buffer;
}

// Every spelling of `number` that the rules accept reads back as `number`; the same spellings out of
// range or with anything after the digits read as nothing.
void CheckSpellings(std::int32_t number, std::uint32_t extra, std::string_view input) {
    using platform::ParseInt32;
    const std::string decimal = std::to_string(number);
    FUZZ_CHECK(ParseInt32(decimal) == number, input);
    FUZZ_CHECK(ParseInt32("   " + decimal) == number, input);
    if (number >= 0)
        FUZZ_CHECK(ParseInt32("+" + decimal) == number, input);
    FUZZ_CHECK(ParseInt32("000" + std::to_string(static_cast<std::uint32_t>(number) & 0x7FFFFFFF)) ==
                   static_cast<std::int32_t>(static_cast<std::uint32_t>(number) & 0x7FFFFFFF),
               input);

    const auto pattern = static_cast<std::uint32_t>(number);
    FUZZ_CHECK(ParseInt32("$" + Hex(pattern, true)) == number, input);
    FUZZ_CHECK(ParseInt32("0x" + Hex(pattern, false)) == number, input);
    FUZZ_CHECK(ParseInt32(" X" + Hex(pattern, true)) == number, input);
    FUZZ_CHECK(ParseInt32("-$" + Hex(pattern, false)) == static_cast<std::int32_t>(0u - pattern), input);

    const long long above = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1 + extra;
    const long long below = static_cast<long long>(std::numeric_limits<std::int32_t>::min()) - 1 - extra;
    FUZZ_CHECK(!ParseInt32(std::to_string(above)).has_value(), input);
    FUZZ_CHECK(!ParseInt32(std::to_string(below)).has_value(), input);
    FUZZ_CHECK(!ParseInt32("$" + Hex(0x100000000ull + extra, false)).has_value(), input);

    // Anything after the digits: a blank, a letter past "f", a dot as in 1.0.3.
    for (const char* tail : {" ", "g", ".0", "\t"})
        FUZZ_CHECK(!ParseInt32(decimal + tail).has_value(), input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    FUZZ_CHECK(platform::ParseInt32(text) == Reference(text), text);

    // The first eight bytes double as a number and a distance out of range.
    if (size >= 8) {
        std::int32_t number = 0;
        std::uint32_t extra = 0;
        std::memcpy(&number, data, sizeof number);
        std::memcpy(&extra, data + 4, sizeof extra);
        CheckSpellings(number, extra, text);
    }
    return 0;
}
