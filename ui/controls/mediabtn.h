#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/custom_control.h"

#include <memory>

// A push button whose whole face is one of three bitmaps: idle, pointer over it, pressed. A click
// hands ModalResult to the form that holds it.
// (A first cut for the message dialog: no sounds and no see-through drawing yet.)
class TepBitmapButton : public TCustomControl {
public:
    explicit TepBitmapButton(TComponent* owner);
    std::string_view ClassName() const override { return "TepBitmapButton"; }

    TBitmap& BmpNormal() { return *bmpNormal_; }
    TBitmap& BmpActive() { return *bmpActive_; }
    TBitmap& BmpDown() { return *bmpDown_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Transparent() const { return transparent_; }

    bool ReadProperty(std::string_view name, TReader& reader) override;
    TPersistent* SubObject(std::string_view name) override;

protected:
    void Paint() override;
    void Click() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyPress(char& key) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class TDownState { Up, Down, DownOutside };
    void SetDown(bool down);
    void SetActive(bool active);

    bool active_ = false;
    TDownState downState_ = TDownState::Up;
    TModalResult modalResult_ = mrNone;
    std::unique_ptr<TBitmap> bmpActive_;
    std::unique_ptr<TBitmap> bmpNormal_;
    std::unique_ptr<TBitmap> bmpDown_;
    bool transparent_ = true;
};
