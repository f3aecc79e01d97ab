#pragma once

#include "ui/controls/mediabtn.h"
#include "ui/message/message_form.h"

#include <windows.h>

// Types a key into a shown message dialog as posted keyboard messages: to its focused control, or to
// its OK button when the focus is elsewhere. The dialog's own loop translates and handles them.
inline void PostKeyToDialog(TfMessage& dialog, WORD key) {
    const HWND window = dialog.Handle();
    HWND target = ::GetFocus();
    if (target == nullptr || (target != window && !::IsChild(window, target)))
        target = dialog.epBtnOK->Handle();
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, 0)) << 16;
    ::PostMessageA(target, WM_KEYDOWN, key, scan | 1);
    ::PostMessageA(target, WM_KEYUP, key, scan | 1 | 0xC0000000);
}
