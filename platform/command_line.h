#pragma once

#include "platform/text.h"

#include <string>
#include <string_view>

namespace platform {

// Argument `index` of a command line as the runtime splits it (0 is the program itself): runs of bytes
// up to 0x20 separate arguments, double-quoted stretches may hold blanks and lose their quotes, a pair
// of quotes at the start of an argument is skipped, and double-byte characters (those whose lead byte
// `isLeadByte` takes) are taken whole. Empty when the line has fewer arguments.
std::string CommandLineArgument(std::string_view commandLine, int index, LeadByteTest isLeadByte);

} // namespace platform
