#include "ui/framework/wide_text.h"

#include <windows.h>

namespace framework {

namespace {
constexpr UINT kCp949 = 949;
}

std::wstring Cp949ToWide(std::string_view text) {
    if (text.empty())
        return {};
    const int size = ::MultiByteToWideChar(kCp949, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(kCp949, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string WideToCp949(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(kCp949, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(kCp949, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                          nullptr);
    return narrow;
}

} // namespace framework
