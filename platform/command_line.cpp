#include "platform/command_line.h"

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= 0x20;
}

// Reads one argument starting at `pos`; returns it and moves `pos` past it.
std::string NextArgument(std::string_view line, std::size_t& pos, LeadByteTest isLeadByte) {
    for (;;) {
        while (pos < line.size() && IsSeparator(line[pos]))
            ++pos;
        if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"')
            pos += 2;
        else
            break;
    }
    std::string argument;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) > 0x20) {
        if (line[pos] == '"') {
            ++pos;
            while (pos < line.size() && line[pos] != '\0' && line[pos] != '"') {
                const std::size_t length = CharacterLength(line, pos, isLeadByte);
                argument.append(line.substr(pos, length));
                pos += length;
            }
            if (pos < line.size() && line[pos] == '"')
                ++pos;
        } else {
            const std::size_t length = CharacterLength(line, pos, isLeadByte);
            argument.append(line.substr(pos, length));
            pos += length;
        }
    }
    return argument;
}

} // namespace

std::string CommandLineArgument(std::string_view commandLine, int index, LeadByteTest isLeadByte) {
    std::size_t pos = 0;
    std::string argument;
    for (int i = 0; i <= index; ++i) {
        argument = NextArgument(commandLine, pos, isLeadByte);
        if (argument.empty() && pos >= commandLine.size() && i < index)
            return {};
    }
    return argument;
}

} // namespace platform
