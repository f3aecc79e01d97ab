#pragma once

#include <windows.h>

#include <optional>

namespace platform {

// Runs body(context) under a frame-based structured exception handler. A fault raised inside (access
// violation, illegal instruction, divide by zero, any other exception) is caught: the frames above
// are unwound, the stack is cut back to this call, and its exception code is returned. Nothing when
// the body returned normally. Either way the caller's x87 control word is back and the direction flag
// clear afterwards, whatever the body left: libraries built by other compilers often unmask
// floating-point exceptions. The body must not throw C++ exceptions.
std::optional<DWORD> RunGuarded(void (*body)(void*) noexcept, void* context) noexcept;

// The same for a callable that takes nothing: body() under the guard.
template <class Body> std::optional<DWORD> RunGuarded(Body& body) noexcept {
    return RunGuarded([](void* context) noexcept { (*static_cast<Body*>(context))(); }, &body);
}

} // namespace platform
