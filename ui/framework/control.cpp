#include "ui/framework/control.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/messages.h"
#include "ui/framework/mouse.h"
#include "ui/framework/window_api.h"

#include <windowsx.h>

#include <array>

namespace {
constexpr std::array<std::string_view, 6> kAligns{"alNone", "alTop",   "alBottom",
                                                  "alLeft", "alRight", "alClient"};
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    if (Mouse != nullptr)
        Mouse->ControlDestroyed(this);
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    SetBoundsFields(left, top, width, height);
    Invalidate();
    if (parent_ != nullptr && align_ != TAlign::alNone)
        parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    align_ = align;
    if (parent_ != nullptr)
        parent_->AlignControls();
}

void TControl::SetBoundsFields(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = true; // so that the hiding repaint reaches the parent
    Invalidate();
    visible_ = visible;
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Invalidate();
    }
}

void TControl::SetCaption(const std::string& caption) {
    if (caption != caption_) {
        caption_ = caption;
        CaptionChanged();
        ReportChange(TControlChange::Text);
    }
}

void TControl::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Invalidate();
    }
}

void TControl::Invalidate() {
    if (!visible_ || parent_ == nullptr || parent_->WindowHandle() == nullptr)
        return;
    const RECT bounds = BoundsRect();
    ::InvalidateRect(parent_->WindowHandle(), &bounds, FALSE);
}

void TControl::Repaint() {
    Invalidate();
    if (HWND window = WindowHandle())
        ::UpdateWindow(window);
    else if (parent_ != nullptr && parent_->WindowHandle() != nullptr)
        ::UpdateWindow(parent_->WindowHandle());
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    return WndProc(message, wParam, lParam);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message))
        return HandleMouse(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        if (wParam != 0)
            PaintTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case CM_MOUSEENTER:
        MouseEnter();
        return 0;
    case CM_MOUSELEAVE:
        MouseLeave();
        return 0;
    default:
        return DefaultHandler(message, wParam, lParam);
    }
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HWND window = WindowHandle())
        return framework::DefaultWindowProc(window, message, wParam, lParam);
    return 0;
}

// The left button's click: pressed and released inside the client area, whose right and bottom edges
// lie outside. The click comes before the release's own handling.
LRESULT TControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const TShiftState shift = static_cast<TShiftState>(KeysToShiftState(wParam) | KeyboardShiftState());
    switch (message) {
    case WM_LBUTTONDOWN:
        clicking_ = true;
        MouseDown(TMouseButton::mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(TMouseButton::mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(TMouseButton::mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        const RECT client = ClientRect();
        const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
        if (std::exchange(clicking_, false) && inside)
            Click();
        MouseUp(TMouseButton::mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, x, y);
        break;
    default:
        MouseMove(shift, x, y);
        break;
    }
    return 0;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

TPersistent* TControl::SubObject(std::string_view name) {
    if (name == "Font")
        return &font_;
    return TComponent::SubObject(name);
}

bool TControl::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "Left")
        SetBoundsFields(reader.ReadInteger(), top_, width_, height_);
    else if (name == "Top")
        SetBoundsFields(left_, reader.ReadInteger(), width_, height_);
    else if (name == "Width")
        SetBoundsFields(left_, top_, reader.ReadInteger(), height_);
    else if (name == "Height")
        SetBoundsFields(left_, top_, width_, reader.ReadInteger());
    else if (name == "Align")
        align_ = static_cast<TAlign>(reader.ReadEnum(kAligns));
    else if (name == "Visible")
        visible_ = reader.ReadBool();
    else if (name == "Enabled")
        enabled_ = reader.ReadBool();
    else if (name == "Caption")
        caption_ = reader.ReadString();
    else if (name == "Color")
        color_ = ReadColor(reader);
    else if (name == "Cursor")
        cursor_ = ReadCursor(reader);
    else if (name == "Hint")
        hint_ = reader.ReadString();
    else if (name == "ShowHint")
        showHint_ = reader.ReadBool();
    else if (name == "OnClick")
        OnClick = reader.ReadEvent<void(TObject*)>();
    else if (name == "OnMouseDown")
        OnMouseDown = reader.ReadEvent<void(TObject*, TMouseButton, TShiftState, int, int)>();
    else if (name == "OnMouseUp")
        OnMouseUp = reader.ReadEvent<void(TObject*, TMouseButton, TShiftState, int, int)>();
    else if (name == "ParentFont" || name == "ParentColor" || name == "ParentShowHint" ||
             name == "HelpType" || name == "HelpKeyword" || name == "HelpContext")
        reader.SkipValue(); // nothing here inherits from its parent, and there is no help per control
    else
        return TComponent::ReadProperty(name, reader);
    return true;
}

void TControl::WriteProperties(TWriter& writer) const {
    writer.WriteInteger("Left", left_);
    writer.WriteInteger("Top", top_);
    writer.WriteInteger("Width", width_);
    writer.WriteInteger("Height", height_);
    if (align_ != TAlign::alNone)
        writer.WriteIdent("Align", kAligns[static_cast<std::size_t>(align_)]);
    if (!visible_)
        writer.WriteBool("Visible", false);
    if (!enabled_)
        writer.WriteBool("Enabled", false);
    if (!caption_.empty())
        writer.WriteString("Caption", caption_);
    if (color_ != clBtnFace)
        WriteColor(writer, "Color", color_);
    if (cursor_ != crDefault)
        WriteCursor(writer, "Cursor", cursor_);
    if (!hint_.empty())
        writer.WriteString("Hint", hint_);
    if (showHint_)
        writer.WriteBool("ShowHint", true);
    writer.WriteObject("Font", const_cast<TFont&>(font_));
    writer.WriteEvent("OnClick", OnClick);
    writer.WriteEvent("OnMouseDown", OnMouseDown);
    writer.WriteEvent("OnMouseUp", OnMouseUp);
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    return shift;
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

bool IsMouseMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}
