#pragma once

#include <string>
#include <string_view>

namespace framework {

// Korean text meets the screen only through these: CP949 bytes to UTF-16 and back.
std::wstring Cp949ToWide(std::string_view text);
std::string WideToCp949(std::wstring_view text);

} // namespace framework
