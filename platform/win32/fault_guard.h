#pragma once

#include <windows.h>

#include <optional>

namespace platform {

// Runs body(context) under a frame-based structured exception handler. A fault raised inside (access
// violation, illegal instruction, divide by zero, any other exception) is caught: the frames above
// are unwound, the stack is cut back to this call, and its exception code is returned. Nothing when
// the body returned normally. The body must not throw C++ exceptions.
std::optional<DWORD> RunGuarded(void (*body)(void*) noexcept, void* context) noexcept;

} // namespace platform
