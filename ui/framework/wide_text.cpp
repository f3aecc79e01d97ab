#include "ui/framework/wide_text.h"

#include "platform/text.h"

namespace framework {

namespace {

constexpr UINT kCp949 = 949;

// What the system puts in place of a character its code page lacks ('?' on every Western one).
char DefaultCharacter() {
    CPINFO info{};
    if (::GetCPInfo(CP_ACP, &info) && info.DefaultChar[0] != 0 && info.DefaultChar[0] < 0x80)
        return static_cast<char>(info.DefaultChar[0]);
    return '?';
}

std::wstring ToWideWithoutCp949(std::string_view text) {
    const auto unknown = static_cast<wchar_t>(DefaultCharacter());
    std::wstring wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            wide += static_cast<wchar_t>(byte);
            continue;
        }
        if (platform::IsCp949LeadByte(byte) && i + 1 < text.size())
            ++i;
        wide += unknown;
    }
    return wide;
}

std::string ToNarrowWithoutCp949(std::wstring_view text) {
    const char unknown = DefaultCharacter();
    std::string narrow;
    for (const wchar_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : unknown;
    return narrow;
}

} // namespace

CodePageFunctions& CodePageConversions() {
    static CodePageFunctions functions;
    return functions;
}

std::wstring Cp949ToWide(std::string_view text) {
    if (text.empty())
        return {};
    const auto convert = CodePageConversions().toWide;
    const int length = static_cast<int>(text.size());
    const int size = convert(kCp949, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (size == 0 || convert(kCp949, 0, text.data(), length, wide.data(), size) != size)
        return ToWideWithoutCp949(text);
    return wide;
}

std::string WideToCp949(std::wstring_view text) {
    if (text.empty())
        return {};
    const auto convert = CodePageConversions().toNarrow;
    const int length = static_cast<int>(text.size());
    const int size = convert(kCp949, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    if (size == 0 || convert(kCp949, 0, text.data(), length, narrow.data(), size, nullptr, nullptr) != size)
        return ToNarrowWithoutCp949(text);
    return narrow;
}

} // namespace framework
