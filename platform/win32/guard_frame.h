#pragma once

#include <windows.h>

// The processor's own part of the fault guard (fault_guard_i386.cpp, fault_guard_x64.cpp): calls
// body(context) inside a frame whose exception handler catches any fault raised below it, unwinds the
// frames above and resumes at the frame's exit. 0 when body returned, 1 with *code set when a fault was
// caught.
extern "C" int mivora_run_guarded(void (*body)(void*) noexcept, void* context, DWORD* code) noexcept;
