#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One line of debug output per decision the gate makes, for the suite's engineers: any debug-output
// viewer shows it. Nothing is written to disk. Lines are ASCII, with paths as their bytes stand.
namespace platform {

// A number shown in hexadecimal, as Windows names exception codes ("C0000005").
struct Hex {
    std::uint32_t Value;
};

void AppendPiece(std::string& line, std::string_view text);
void AppendPiece(std::string& line, long long number);
void AppendPiece(std::string& line, Hex number);

// "Mivora: <milliseconds since the start>ms <text>".
std::string DebugLineText(std::uint32_t milliseconds, std::string_view text);

// Sends one line; each build sends it its own way.
void WriteDebugLine(std::string_view text) noexcept;

// Joins the pieces (texts as they are, integers in decimal) into one line and sends it. Never raises:
// a line that cannot be made is left out.
template <class... Pieces> void DebugLine(const Pieces&... pieces) noexcept {
    try {
        std::string line;
        (AppendPiece(line, pieces), ...);
        WriteDebugLine(line);
    } catch (...) {
    }
}

} // namespace platform
