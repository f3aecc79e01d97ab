#pragma once

#include "ui/framework/control.h"

#include <windows.h>

#include <string>
#include <vector>

// What a windowed control asks of CreateWindowEx.
struct TCreateParams {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
};

// A control that owns a window. Its window is made when first needed (its parent's first), and its
// windowed children's with it. Child controls: non-windowed ones first, then windowed ones.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static constexpr TClassInfo kClassInfo{"TWinControl", &TControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    int ControlCount() const { return static_cast<int>(graphics_.size() + windowed_.size()); }
    TControl* Controls(int index) const;
    // The topmost visible non-windowed child at a point of the client area, or null.
    TControl* GraphicControlAt(POINT point) const;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    void SetFocus();
    bool Focused() const;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    RECT ClientRect() const override;

    // A control inside this top window took the focus or changed its text: for a form that shows a
    // screen reader its controls.
    virtual void ControlChanged(TControl&, TControlChange) {}

    // Places the aligned children: top, bottom, left and right edges in that order, then the rest.
    void AlignControls() override;

    // Paints the window's own look (background, frame) into a context: what a transparent child
    // shows of its parent.
    virtual void PaintWindow(HDC dc);
    // Paints the visible non-windowed children that meet `update` (client coordinates).
    void PaintControls(HDC dc, const RECT& update);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    void GetChildren(const std::function<void(TComponent&)>& proc, TComponent& root) override;
    void Loaded() override {
        TControl::Loaded();
        AlignControls();
    }

protected:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

    virtual void CreateParams(TCreateParams& params);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND WindowHandle() const override { return handle_; }
    void CreateHandle();
    void DestroyHandle();

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // True for a control that sees the keys of those inside it first (a form with key preview).
    virtual bool PreviewsKeys() const { return false; }
    // The visible, enabled tab stops inside this control, in tab order.
    void CollectTabStops(std::vector<TWinControl*>& stops) const;

private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control) override;
    void Paint(HDC dc, const RECT& update);
    bool DoKeyDown(WORD& key, bool down);
    bool DoKeyPress(char& key);
    bool MoveFocus(WORD key, TShiftState shift);
    LRESULT RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void CaptureChanged();
    void TrackPointer();
    void SetWindowCursor();
    void TrackMouseLeave();

    HWND handle_ = nullptr;
    std::vector<TControl*> graphics_;
    std::vector<TWinControl*> windowed_;
    bool aligning_ = false;
    bool releasingCapture_ = false; // the capture is given up at the end of a press, not taken away
    bool tabStop_ = false;
    int tabOrder_ = -1;
};

// Every framework window's procedure: it keeps the control with its window and hands it each message.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// The framework's control that owns `window`, or null for a window of anyone else.
TWinControl* FindControl(HWND window);
// The control under the pointer, windowed or not, or null.
TControl* FindControlAtCursor();

inline TWinControl* TControl::Parent() const {
    return static_cast<TWinControl*>(parent_);
}
