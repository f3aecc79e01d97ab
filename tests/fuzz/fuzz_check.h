#pragma once

// A property the fuzz targets check. A failure prints the property and the input in hex, then
// aborts: libFuzzer records the input as a finding, and the replay test fails with the message.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition, input) fuzz::Check((condition), #condition, (input))

namespace fuzz {

[[noreturn]] inline void PropertyFailed(const char* property, std::string_view input) {
    std::fprintf(stderr, "property failed: %s\ninput (%zu bytes):", property, input.size());
    for (const char c : input)
        std::fprintf(stderr, " %02X", static_cast<unsigned char>(c));
    std::fputc('\n', stderr);
    std::abort();
}

inline void Check(bool holds, const char* property, std::string_view input) {
    if (!holds)
        PropertyFailed(property, input);
}

inline std::string_view AsText(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace fuzz
