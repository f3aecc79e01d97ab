#pragma once

#include <cstdint>

namespace platform {

// Calls a library's function of four word-sized arguments, as the processor's convention for such
// exports has it (stdcall on i386, the one x64 convention on x64), and returns its 32-bit answer.
std::int32_t CallFourArguments(void* function, const std::uintptr_t (&arguments)[4]) noexcept;

} // namespace platform
