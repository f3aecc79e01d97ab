#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace scenario {

// Text as UTF-8, for reports and printouts that mix Korean with ASCII.
inline std::string Utf8(std::wstring_view text) {
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A u8 literal as the UTF-8 bytes it holds: the sources are compiled to CP949, the printouts are UTF-8.
inline std::string U8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

} // namespace scenario
