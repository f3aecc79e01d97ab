#pragma once

#include "ui/framework/font.h"
#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/graphics.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Bits of the shift state.
enum TShiftBit : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = std::uint8_t;

// What a control tells the top window it lies in: it took the focus, or its text changed.
enum class TControlChange { Focused, Text };

using TMouseEvent = TEvent<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TKeyEvent = TEvent<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = TEvent<void(TObject* sender, char& key)>;

// A visible thing with bounds inside a parent. Non-windowed controls are painted by their parent and
// take their mouse input from it; windowed ones (TWinControl) own a window.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static constexpr TClassInfo kClassInfo{"TControl", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // Defined beside TWinControl, as is SetParent: a control knows its parent only as a control.
    TWinControl* Parent() const;
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }

    // A control aligned to an edge of its parent's client area (or filling it) follows its size.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TFont& Font() { return font_; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }

    // Deferred repaint: the window system asks for the paint later.
    virtual void Invalidate();
    // Immediate repaint.
    void Repaint();

    // Hands a message to the control's handling at once, as the window procedure would.
    LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    TPersistent* SubObject(std::string_view name) override;
    void SetParentComponent(TComponent* parent) override;
    bool HasParent() const override { return true; }

protected:
    friend class TWinControl;

    // The control's message handling; a class that handles a message of its own overrides this and
    // passes the rest to its base.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState, int, int) {}
    virtual void Click();
    // The release of a left press will not come (the mouse capture went elsewhere): it raises no click.
    void CancelPress() { clicking_ = false; }
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Paints a non-windowed control into a context whose origin is the control's top-left corner.
    virtual void PaintTo(HDC) {}
    virtual void FontChanged() { Invalidate(); }
    virtual void CaptionChanged() { Invalidate(); }
    // Where a windowed control keeps its window; the base has none.
    virtual HWND WindowHandle() const { return nullptr; }
    // A parent's side of the tree, which TWinControl fills in: a control without children has none to
    // place or to let go of.
    virtual void AlignControls() {}
    virtual void RemoveControl(TControl*) {}

    void SetBoundsFields(int left, int top, int width, int height);
    // Tells the top window (defined beside TWinControl).
    void ReportChange(TControlChange change);

private:
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);

    TControl* parent_ = nullptr;
    TAlign align_ = TAlign::alNone;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool clicking_ = false;
    bool showHint_ = false;
    int cursor_ = 0;
    std::string caption_;
    std::string hint_;
    TFont font_;
    TColor color_ = clBtnFace;
};

// The button presses, releases and moves that a control takes as its mouse input (double clicks are not).
bool IsMouseMessage(UINT message);
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
