#pragma once

#include "platform/debug_output.h"
#include "ui/message/uMessage.h"

#include <string_view>

// Shows one of the gate's messages in the suite's dialog: OK only and no owner, so it is centred on the
// screen. `key` names the message in the debug output. Inline, so that every caller links the dialog
// itself, the real one in the program and a fake in the native tests.
inline void ShowGateMessage(std::string_view key, int type, const char* mainText, const char* subText = "") {
    platform::DebugLine("message ", key);
    ShowMessageDialog(type, mainText, subText, mbOk, nullptr);
}
