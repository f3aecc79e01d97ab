#pragma once

namespace platform {

// A lead byte of the system's ANSI code page, the one command lines and file names come in: CP949's on a
// Korean Windows, none on a Western one.
bool IsSystemLeadByte(unsigned char byte);

} // namespace platform
