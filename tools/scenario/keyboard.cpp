#include "tools/scenario/keyboard.h"

#include <iterator>
#include <vector>

namespace scenario {

void PressKey(HWND window, WORD virtualKey) {
    // The key goes to the foreground window: wait until the window is it, then for its focus to settle.
    ::SetForegroundWindow(window);
    for (int i = 0; i < 150 && ::GetForegroundWindow() != window; ++i)
        ::Sleep(20);
    ::Sleep(150);
    SendKeys({}, virtualKey);
}

void SendKeys(std::initializer_list<WORD> held, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD h : held)
        add(h, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto h = std::rbegin(held); h != std::rend(held); ++h)
        add(*h, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace scenario
