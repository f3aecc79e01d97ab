#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <string>

// Single-instance arbitration between starts of the gate.

extern std::string InstanceName;
extern UINT InstanceMessageId; // registered under InstanceName; kept, never used
extern platform::UniqueHandle InstanceMutex;
extern ATOM StartArgumentAtom;     // the argument a second start leaves behind
extern COPYDATASTRUCT HandOffData; // the notice to a running main window

constexpr ULONG_PTR HandOffCode = 2028;

void SetInstanceName(const std::string& name);
// Registers the window message named InstanceName. Not on the road of a second gate: the message is
// never used, and registering it would load the window system into a process that needs none.
void RegisterInstanceMessage();

// Creates the instance mutex with initial ownership. True when another gate already holds it, also one
// of another account whose mutex this process may not open; this process then keeps no handle.
bool IsAnotherInstanceRunning();

void CloseInstanceMutex();
