#include "platform/win32/foreign_call.h"

namespace platform {

// x64 has one calling convention, in which the caller owns the stack: a plain call is safe.
std::int32_t CallFourArguments(void* function, const std::uintptr_t (&arguments)[4]) noexcept {
    using Function =
        std::int32_t (*)(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) noexcept;
    return reinterpret_cast<Function>(function)(arguments[0], arguments[1], arguments[2], arguments[3]);
}

} // namespace platform
