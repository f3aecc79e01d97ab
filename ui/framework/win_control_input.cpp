#include "ui/framework/win_control.h"

#include "platform/win32/system_function.h"
#include "ui/framework/messages.h"
#include "ui/framework/mouse.h"

#include <windowsx.h>

#include <algorithm>

namespace {

TWinControl* TopParent(TWinControl* control) {
    while (control->Parent() != nullptr)
        control = control->Parent();
    return control;
}

} // namespace

// A press handed over to the system (a window drag, say) or whose capture another window took never
// sends its release here: it must not click when some later release arrives.
void TWinControl::CaptureChanged() {
    if (Mouse != nullptr && Mouse->CaptureControl() != nullptr && Mouse->CaptureControl()->Parent() == this) {
        Mouse->CaptureControl()->CancelPress();
        Mouse->SetCaptureControl(nullptr);
    }
    if (!releasingCapture_)
        CancelPress();
}

// The pointer moved or left a window: the control it left hears of it, then the one it entered, unless
// the first notice moved it on again.
void TWinControl::TrackPointer() {
    if (Mouse == nullptr)
        return;
    TControl* now = FindControlAtCursor();
    if (now == Mouse->MouseControl())
        return;
    TControl* old = Mouse->MouseControl();
    Mouse->SetMouseControl(now);
    if (old != nullptr)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (now != nullptr && now == Mouse->MouseControl())
        now->Perform(CM_MOUSEENTER, 0, 0);
}

// Mouse input over a non-windowed child goes to that child, and so does the rest of a press that
// started on it.
LRESULT TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (message == WM_MOUSEMOVE && Mouse != nullptr) {
        TrackMouseLeave();
        TrackPointer();
    }
    TControl* target = Mouse != nullptr ? Mouse->CaptureControl() : nullptr;
    if (target == nullptr || target->Parent() != this)
        target = down || target == nullptr ? GraphicControlAt(point) : nullptr;
    if (down) {
        if (handle_ != nullptr)
            ::SetCapture(handle_);
        if (Mouse != nullptr)
            Mouse->SetCaptureControl(target);
    } else if (up) {
        if (Mouse != nullptr)
            Mouse->SetCaptureControl(nullptr);
        if (::GetCapture() == handle_ && handle_ != nullptr) {
            releasingCapture_ = true;
            ::ReleaseCapture();
            releasingCapture_ = false;
        }
    }
    if (target != nullptr)
        return target->Perform(message, wParam,
                               MAKELPARAM(point.x - target->Left(), point.y - target->Top()));
    return TControl::WndProc(message, wParam, lParam);
}

// Asks for WM_MOUSELEAVE, so that leaving for another program's window is noticed too. Looked up rather
// than imported, as the oldest systems this program starts on may lack it.
void TWinControl::TrackMouseLeave() {
    using TrackProc = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    static const auto track = platform::SystemFunction<TrackProc>("user32.dll", "TrackMouseEvent");
    if (track == nullptr)
        return;
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, handle_, 0};
    track(&request);
}

void TWinControl::SetWindowCursor() {
    HCURSOR cursor = ::LoadCursorA(nullptr, IDC_HAND);
    ::SetCursor(cursor != nullptr ? cursor : ::LoadCursorA(nullptr, IDC_ARROW));
}

// A form with key preview (the top parent) sees each key before the focused control; a key it clears goes no
// further.
bool TWinControl::DoKeyDown(WORD& key, bool down) {
    const TShiftState shift = KeyboardShiftState();
    TWinControl* top = TopParent(this);
    if (top != this && top->PreviewsKeys()) {
        if (down)
            top->KeyDown(key, shift);
        else
            top->KeyUp(key, shift);
        if (key == 0)
            return true;
    }
    if (down)
        KeyDown(key, shift);
    else
        KeyUp(key, shift);
    return key == 0 || (down && top->MoveFocus(key, shift));
}

// Tab and Shift+Tab, and the arrow keys, move the focus to the next or the previous tab stop of the
// window, round from the last to the first; a key that moved nothing goes on to the system.
bool TWinControl::MoveFocus(WORD key, TShiftState shift) {
    bool forward = false;
    if (key == VK_TAB && (shift & (ssAlt | ssCtrl)) == 0)
        forward = (shift & ssShift) == 0;
    else if (key == VK_RIGHT || key == VK_DOWN)
        forward = true;
    else if (key != VK_LEFT && key != VK_UP)
        return false;
    std::vector<TWinControl*> stops;
    CollectTabStops(stops);
    if (stops.empty())
        return false;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const auto focused =
        std::find_if(stops.begin(), stops.end(), [](TWinControl* c) { return c->Focused(); });
    std::ptrdiff_t next = forward ? 0 : count - 1;
    if (focused != stops.end())
        next = ((focused - stops.begin()) + (forward ? 1 : count - 1)) % count;
    stops[static_cast<std::size_t>(next)]->SetFocus();
    return true;
}

// Visible, enabled tab stops in tab order, and those inside the other children.
void TWinControl::CollectTabStops(std::vector<TWinControl*>& stops) const {
    std::vector<TWinControl*> children; // in tab order, equal orders as listed
    for (TWinControl* child : windowed_)
        if (child->Visible() && child->Enabled())
            children.insert(std::upper_bound(
                                children.begin(), children.end(), child,
                                [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); }),
                            child);
    for (TWinControl* child : children) {
        if (child->TabStop())
            stops.push_back(child);
        else
            child->CollectTabStops(stops);
    }
}

bool TWinControl::DoKeyPress(char& key) {
    TWinControl* top = TopParent(this);
    if (top != this && top->PreviewsKeys()) {
        top->KeyPress(key);
        if (key == 0)
            return true;
    }
    KeyPress(key);
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

TControl* FindControlAtCursor() {
    POINT point;
    if (!::GetCursorPos(&point))
        return nullptr;
    TWinControl* control = FindControl(::WindowFromPoint(point));
    if (control == nullptr)
        return nullptr;
    ::ScreenToClient(control->Handle(), &point);
    TControl* graphic = control->GraphicControlAt(point);
    return graphic != nullptr ? graphic : control;
}
