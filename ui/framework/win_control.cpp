#include "ui/framework/win_control.h"

#include "platform/error.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/window_api.h"
#include "ui/framework/window_class.h"

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
    framework::CreateFrameworkWindow(
        params.exStyle, FrameworkWindowClass(ClassName(), ControlWindowProc).c_str(), params.style, params.x,
        params.y, params.width, params.height, params.parent, this);
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

// A control joins and leaves its parent here, beside the parent's lists of children.
void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    if (parent != nullptr)
        parent->InsertControl(this);
}

void TControl::ReportChange(TControlChange change) {
    TWinControl* top = Parent();
    while (top != nullptr && top->Parent() != nullptr)
        top = top->Parent();
    if (top != nullptr)
        top->ControlChanged(*this, change);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* control = ObjectAs<TWinControl>(parent))
        SetParent(control);
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    if (auto* windowed = ObjectAs<TWinControl>(control)) {
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
    if (auto* windowed = ObjectAs<TWinControl>(control)) {
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
    if (IsMouseMessage(message))
        return RouteMouse(message, wParam, lParam);
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
    case WM_SETFOCUS:
        ReportChange(TControlChange::Focused);
        break;
    case WM_CAPTURECHANGED:
        CaptureChanged();
        break;
    case WM_MOUSELEAVE:
        TrackPointer();
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
