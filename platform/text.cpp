#include "platform/text.h"

#include <limits>

namespace platform {

bool IsCp949LeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

std::size_t CharacterLength(std::string_view text, std::size_t pos, LeadByteTest isLeadByte) {
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() && text[pos + 1] != '\0'
               ? 2
               : 1;
}

std::size_t CharacterCount(std::string_view text, LeadByteTest isLeadByte) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i, isLeadByte))
        ++count;
    return count;
}

std::size_t LastSeparator(std::string_view path, LeadByteTest isLeadByte) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i, isLeadByte))
        if (path[i] == '\\')
            last = i;
    return last;
}

bool EndsWithSeparator(std::string_view path, LeadByteTest isLeadByte) {
    return !path.empty() && LastSeparator(path, isLeadByte) == path.size() - 1;
}

std::string TrimControls(std::string_view text) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControl(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string UpperAscii(std::string_view text, LeadByteTest isLeadByte) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); i += CharacterLength(result, i, isLeadByte)) {
        const auto byte = static_cast<unsigned char>(result[i]);
        if (byte >= 'a' && byte <= 'z')
            result[i] = static_cast<char>(byte - 'a' + 'A');
    }
    return result;
}

int DigitValue(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';

    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }

    if (i == text.size())
        return std::nullopt;
    // Hexadecimal spells a 32-bit pattern, so it may reach 0xFFFFFFFF; decimal is bounded by the sign.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        if (value > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(value)
                                                          : static_cast<std::uint32_t>(value));
    return static_cast<std::int32_t>(bits);
}

std::string FolderOf(const std::string& path, LeadByteTest isLeadByte) {
    return path.substr(0, LastSeparator(path, isLeadByte) + 1); // npos + 1 keeps nothing
}

} // namespace platform
