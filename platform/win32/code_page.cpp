#include "platform/win32/code_page.h"

#include <windows.h>

namespace platform {

bool IsSystemLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

} // namespace platform
