#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One line of debug output per decision the gate makes, for the suite's engineers: any debug-output
// viewer shows it. Nothing is written to disk. Lines are ASCII, with paths as their bytes stand.
namespace platform {

// A number shown in hexadecimal, as Windows names exception codes ("C0000005").
struct Hex {
    std::uint32_t Value;
};

// One piece of a line: a text as it stands, or a number written out.
class DebugPiece {
public:
    DebugPiece(std::string_view text) : text_(text) {}
    DebugPiece(const char* text) : text_(text) {}
    DebugPiece(const std::string& text) : text_(text) {}
    DebugPiece(long long number);
    DebugPiece(Hex number);

    std::string_view Text() const { return length_ != 0 ? std::string_view(digits_, length_) : text_; }

private:
    std::string_view text_;
    char digits_[24] = {};
    std::size_t length_ = 0;
};

// "Mivora: <milliseconds since the start>ms <text>", ending the line.
std::string DebugLineText(std::uint32_t milliseconds, std::string_view text);

// Sends one line; each build sends it its own way.
void WriteDebugLine(std::string_view text) noexcept;

// The pieces joined; empty when there is no memory for them.
std::string JoinDebugPieces(std::initializer_list<DebugPiece> pieces) noexcept;

// Joins the pieces (texts as they stand, integers in decimal) into one line and sends it. Never raises.
template <class... Pieces> void DebugLine(const Pieces&... pieces) noexcept {
    WriteDebugLine(JoinDebugPieces({DebugPiece(pieces)...}));
}

} // namespace platform
