#include "platform/debug_output.h"

#include <charconv>

namespace platform {

DebugPiece::DebugPiece(long long number)
    : length_(static_cast<std::size_t>(std::to_chars(digits_, digits_ + sizeof(digits_), number).ptr -
                                       digits_)) {}

DebugPiece::DebugPiece(Hex number)
    : length_(static_cast<std::size_t>(
          std::to_chars(digits_, digits_ + sizeof(digits_), number.Value, 16).ptr - digits_)) {
    for (std::size_t i = 0; i < length_; ++i)
        if (digits_[i] >= 'a')
            digits_[i] = static_cast<char>(digits_[i] - 'a' + 'A');
}

std::string DebugLineText(std::uint32_t milliseconds, std::string_view text) {
    const DebugPiece time(static_cast<long long>(milliseconds));
    std::string line = "Mivora: ";
    line += time.Text();
    line += "ms ";
    line += text;
    line += '\n';
    return line;
}

std::string JoinDebugPieces(std::initializer_list<DebugPiece> pieces) noexcept {
    try {
        std::string line;
        for (const DebugPiece& piece : pieces)
            line += piece.Text();
        return line;
    } catch (...) {
        return {};
    }
}

} // namespace platform
