#include "ui/framework/win_control.h"

#include "platform/error.h"
#include "platform/win32/system_function.h"
#include "ui/framework/application.h"
#include "ui/framework/form.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/wide_text.h"
#include "ui/framework/window_api.h"
#include "ui/framework/window_class.h"

#include <windowsx.h>

#include <algorithm>

using framework::PaintDc;
using framework::SavedDcState;

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Leaves the parent while this is still a windowed control, so the parent forgets it in the right list.
    SetParent(nullptr);
    // Children stay with their owner; they only lose their parent.
    while (!windowed_.empty())
        windowed_.back()->SetParent(nullptr);
    while (!graphics_.empty())
        graphics_.back()->SetParent(nullptr);
    DestroyHandle();
}

HWND TWinControl::Handle() {
    if (handle_ == nullptr)
        CreateHandle();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (!Enabled())
        params.style |= WS_DISABLED;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = Parent() != nullptr ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateHandle() {
    TCreateParams params;
    CreateParams(params);
    if (handle_ != nullptr)
        return; // the parent's creation made this one too
    framework::CreateFrameworkWindow(params.exStyle, FrameworkWindowClass(ClassName()), params.style,
                                     params.x, params.y, params.width, params.height, params.parent, this);
    if (handle_ == nullptr)
        throw platform::Error("Error creating window");
    if (!Caption().empty())
        framework::SetWindowCaption(handle_, Caption());
    // Later children lie above earlier ones.
    if (params.style & WS_CHILD)
        ::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (TWinControl* child : windowed_)
        child->Handle();
}

void TWinControl::DestroyHandle() {
    if (handle_ != nullptr)
        ::DestroyWindow(handle_); // clears handle_ at WM_NCDESTROY, and the children's with theirs
}

TControl* TWinControl::Controls(int index) const {
    const auto i = static_cast<std::size_t>(index);
    return i < graphics_.size() ? graphics_[i] : windowed_.at(i - graphics_.size());
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (windowed->tabOrder_ < 0)
            windowed->tabOrder_ = static_cast<int>(windowed_.size());
        windowed_.push_back(windowed);
        if (handle_ != nullptr) {
            if (windowed->handle_ != nullptr)
                ::SetParent(windowed->handle_, handle_);
            else
                windowed->CreateHandle();
        }
    } else {
        graphics_.push_back(control);
    }
    control->Invalidate();
    if (control->Align() != TAlign::alNone)
        AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    control->Invalidate();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        std::erase(windowed_, windowed);
        windowed->DestroyHandle();
    }
    std::erase(graphics_, control);
    control->parent_ = nullptr;
}

TControl* TWinControl::GraphicControlAt(POINT point) const {
    for (auto i = graphics_.rbegin(); i != graphics_.rend(); ++i) {
        TControl* control = *i;
        const RECT bounds = control->BoundsRect();
        if (control->Visible() && control->Enabled() && ::PtInRect(&bounds, point))
            return control;
    }
    return nullptr;
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const {
    return handle_ != nullptr && ::GetFocus() == handle_;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    const bool resized = width != Width() || height != Height();
    SetBoundsFields(left, top, width, height);
    if (handle_ != nullptr)
        ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (Parent() != nullptr && Align() != TAlign::alNone)
        Parent()->AlignControls();
    if (resized)
        AlignControls();
}

void TWinControl::AlignControls() {
    if (aligning_)
        return;
    aligning_ = true;
    RECT rest = ClientRect();
    const auto place = [&](TAlign align) {
        std::vector<TControl*> aligned;
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->Align() == align && Controls(i)->Visible())
                aligned.push_back(Controls(i));
        for (TControl* c : aligned) {
            const int w = c->Width();
            const int h = c->Height();
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(rest.left, rest.top, rest.right - rest.left, h);
                rest.top += h;
                break;
            case TAlign::alBottom:
                c->SetBounds(rest.left, rest.bottom - h, rest.right - rest.left, h);
                rest.bottom -= h;
                break;
            case TAlign::alLeft:
                c->SetBounds(rest.left, rest.top, w, rest.bottom - rest.top);
                rest.left += w;
                break;
            case TAlign::alRight:
                c->SetBounds(rest.right - w, rest.top, w, rest.bottom - rest.top);
                rest.right -= w;
                break;
            default:
                c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
                break;
            }
        }
    };
    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        place(align);
    aligning_ = false;
}

void TWinControl::SetVisible(bool visible) {
    if (visible == Visible())
        return;
    TControl::SetVisible(visible);
    if (handle_ != nullptr)
        ::ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (handle_ != nullptr)
        ::EnableWindow(handle_, enabled);
}

void TWinControl::Invalidate() {
    if (handle_ != nullptr)
        ::InvalidateRect(handle_, nullptr, FALSE);
}

RECT TWinControl::ClientRect() const {
    RECT client{0, 0, Width(), Height()};
    if (handle_ != nullptr)
        ::GetClientRect(handle_, &client);
    return client;
}

void TWinControl::PaintWindow(HDC dc) {
    const RECT client = ClientRect();
    framework::UniqueGdiObject brush(::CreateSolidBrush(ColorToRGB(Color())));
    ::FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
    for (TControl* control : graphics_) {
        const RECT bounds = control->BoundsRect();
        RECT common;
        if (!control->Visible() || !::IntersectRect(&common, &bounds, &update))
            continue;
        SavedDcState saved(dc);
        POINT origin;
        ::GetViewportOrgEx(dc, &origin);
        ::SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::Paint(HDC dc, const RECT& update) {
    PaintWindow(dc);
    PaintControls(dc, update);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (wParam != 0) {
            Paint(reinterpret_cast<HDC>(wParam), ClientRect());
        } else {
            PaintDc paint(handle_);
            Paint(paint.get(), paint.UpdateRect());
        }
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam), ClientRect());
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers the whole client area
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        return RouteMouse(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        // A press handed over to the system (a window drag, say) or whose capture another window took
        // never sends its release here: it must not click when some later release arrives.
        if (Application != nullptr && Application->CaptureControl() != nullptr &&
            Application->CaptureControl()->Parent() == this) {
            Application->CaptureControl()->CancelPress();
            Application->SetCaptureControl(nullptr);
        }
        if (!releasingCapture_)
            CancelPress();
        break;
    case WM_MOUSELEAVE:
        if (Application != nullptr)
            Application->UpdateMouseControl();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && Cursor() == crHandPoint) {
            SetWindowCursor();
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(wParam);
        if (DoKeyDown(key, message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
            return 0;
        break;
    }
    case WM_CHAR:
        if (wParam < 0x80) {
            char key = static_cast<char>(wParam);
            if (DoKeyPress(key))
                return 0;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            RECT r;
            ::GetWindowRect(handle_, &r);
            if (HWND parent = ::GetParent(handle_);
                parent != nullptr && (::GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
                ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        break;
    }
    default:
        return TControl::WndProc(message, wParam, lParam);
    }
    return DefaultHandler(message, wParam, lParam);
}

// Mouse input over a non-windowed child goes to that child, and so does the rest of a press that
// started on it.
LRESULT TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (message == WM_MOUSEMOVE && Application != nullptr) {
        TrackMouseLeave();
        Application->UpdateMouseControl();
    }
    TControl* target = Application != nullptr ? Application->CaptureControl() : nullptr;
    if (target == nullptr || target->Parent() != this)
        target = down || target == nullptr ? GraphicControlAt(point) : nullptr;
    if (down) {
        if (handle_ != nullptr)
            ::SetCapture(handle_);
        if (Application != nullptr)
            Application->SetCaptureControl(target);
    } else if (up) {
        if (Application != nullptr)
            Application->SetCaptureControl(nullptr);
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

// A form with key preview sees each key before the focused control; a key it clears goes no further.
bool TWinControl::DoKeyDown(WORD& key, bool down) {
    const TShiftState shift = KeyboardShiftState();
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview()) {
        if (down)
            static_cast<TWinControl*>(form)->KeyDown(key, shift);
        else
            static_cast<TWinControl*>(form)->KeyUp(key, shift);
        if (key == 0)
            return true;
    }
    if (down)
        KeyDown(key, shift);
    else
        KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(char& key) {
    TForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyPress(key);
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

bool TWinControl::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "TabStop")
        tabStop_ = reader.ReadBool();
    else if (name == "TabOrder")
        tabOrder_ = reader.ReadInteger();
    else if (name == "OnKeyDown")
        OnKeyDown = reader.ReadEvent<void(TObject*, WORD&, TShiftState)>();
    else if (name == "OnKeyUp")
        OnKeyUp = reader.ReadEvent<void(TObject*, WORD&, TShiftState)>();
    else if (name == "OnKeyPress")
        OnKeyPress = reader.ReadEvent<void(TObject*, char&)>();
    else
        return TControl::ReadProperty(name, reader);
    return true;
}

void TWinControl::WriteProperties(TWriter& writer) const {
    TControl::WriteProperties(writer);
    if (tabStop_)
        writer.WriteBool("TabStop", true);
    if (tabOrder_ >= 0)
        writer.WriteInteger("TabOrder", tabOrder_);
    writer.WriteEvent("OnKeyDown", OnKeyDown);
    writer.WriteEvent("OnKeyUp", OnKeyUp);
    writer.WriteEvent("OnKeyPress", OnKeyPress);
}

void TWinControl::GetChildren(const std::function<void(TComponent&)>& proc, TComponent& root) {
    // A root lists its components without a parent (players, image lists) first, as the base does.
    TControl::GetChildren(proc, root);
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Owner() == &root)
            proc(*Controls(i));
}

namespace {
// Asked in the window's own character set, or the answer is a conversion stub rather than the procedure.
WNDPROC WindowProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(::IsWindowUnicode(window) ? ::GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                               : ::GetWindowLongPtrA(window, GWLP_WNDPROC));
}
} // namespace

TWinControl* FindControl(HWND window) {
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId() ||
        WindowProcedureOf(window) != ControlWindowProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
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
