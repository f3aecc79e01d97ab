#pragma once

#include <windows.h>

namespace platform {

// A function of a system DLL, looked up at its first use rather than imported: either because some of
// the systems this program starts on lack it, or so that a start need not load a DLL that only some
// roads use (loading one costs every start its time). The DLL is loaded from the system folder only.
// Null when the DLL or the function is missing. A DLL loaded here stays loaded until the program ends.
FARPROC SystemFunction(const char* dll, const char* name);

template <class Proc> Proc SystemFunction(const char* dll, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

} // namespace platform
