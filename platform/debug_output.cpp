#include "platform/debug_output.h"

#include <charconv>

namespace platform {

void AppendPiece(std::string& line, std::string_view text) {
    line += text;
}

void AppendPiece(std::string& line, long long number) {
    char digits[24];
    line.append(digits, std::to_chars(digits, digits + sizeof(digits), number).ptr);
}

void AppendPiece(std::string& line, Hex number) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof(digits), number.Value, 16).ptr;
    for (const char* digit = digits; digit != end; ++digit)
        line += *digit >= 'a' ? static_cast<char>(*digit - 'a' + 'A') : *digit;
}

std::string DebugLineText(std::uint32_t milliseconds, std::string_view text) {
    std::string line = "Mivora: ";
    AppendPiece(line, static_cast<long long>(milliseconds));
    line += "ms ";
    line += text;
    line += '\n';
    return line;
}

} // namespace platform
