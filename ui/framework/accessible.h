#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace framework {

class AccessibleObject;

// One thing a screen reader finds inside a window.
struct AccessibleItem {
    std::wstring name;
    long role = 0;       // ROLE_SYSTEM_...
    long state = 0;      // STATE_SYSTEM_...
    RECT screen{};       // where it lies on the screen
    std::wstring action; // what its default action does; empty when it has none
};

// What a window tells a screen reader: its name, its role, and the things inside it in reading order.
class AccessibleView {
public:
    virtual std::wstring Name() = 0;
    virtual long Role() = 0;
    virtual std::vector<AccessibleItem> Items() = 0;
    // Presses item `index` as a click would, once the window's own loop gets to it.
    virtual void Press(std::size_t index) noexcept = 0;

protected:
    ~AccessibleView() = default;
};

// A window's side of Active Accessibility: it answers WM_GETOBJECT for the client area with an object
// that reads `view`, and tells listening screen readers of changes. oleacc, which 98, ME and NT 4 may
// lack, is looked up at its first use; without it nothing is answered and the system answers as before.
// The object outlives the server only as a shell whose every call fails.
class AccessibleServer {
public:
    explicit AccessibleServer(AccessibleView& view) : view_(view) {}
    ~AccessibleServer();
    AccessibleServer(const AccessibleServer&) = delete;
    AccessibleServer& operator=(const AccessibleServer&) = delete;

    // The answer to WM_GETOBJECT, or 0 to leave it to the system.
    LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam);
    // An event about the window itself (child 0) or about item child - 1.
    static void Notify(HWND window, DWORD event, long child);

private:
    AccessibleView& view_;
    AccessibleObject* object_ = nullptr;
};

} // namespace framework
