#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace framework {

// Korean text meets the screen only through these: CP949 bytes to UTF-16 and back. A Windows without
// East Asian support has no code page 949: there ASCII still converts exactly and every other
// character becomes the system's default character, so nothing vanishes.
std::wstring Cp949ToWide(std::string_view text);
std::string WideToCp949(std::wstring_view text);

// The system's conversions that the two above call; a test puts in ones that lack code page 949.
struct CodePageFunctions {
    decltype(&::MultiByteToWideChar) toWide = ::MultiByteToWideChar;
    decltype(&::WideCharToMultiByte) toNarrow = ::WideCharToMultiByte;
};
CodePageFunctions& CodePageConversions();

} // namespace framework
