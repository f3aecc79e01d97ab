#include "ui/controls/mediabtn.h"

#include "ui/framework/form.h"
#include "ui/framework/form_reader.h"
#include "ui/framework/property_io.h"

TepBitmapButton::TepBitmapButton(TComponent* owner)
    : TCustomControl(owner), bmpActive_(std::make_unique<TBitmap>()), bmpNormal_(std::make_unique<TBitmap>()),
      bmpDown_(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 90, 30);
    SetTabStop(true);
}

void TepBitmapButton::SetDown(bool down) {
    const TDownState wanted = down ? TDownState::Down : TDownState::DownOutside;
    if (downState_ != wanted) {
        downState_ = wanted;
        Invalidate();
    }
}

void TepBitmapButton::SetActive(bool active) {
    if (active != active_) {
        active_ = active;
        Invalidate();
    }
}

void TepBitmapButton::Paint() {
    if (bmpNormal_->Empty() || bmpActive_->Empty() || bmpDown_->Empty())
        return;
    TBitmap& face = downState_ == TDownState::Down ? *bmpDown_ : active_ ? *bmpActive_ : *bmpNormal_;
    Canvas().Draw(0, 0, face);
}

void TepBitmapButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TepBitmapButton::MouseEnter() {
    if (downState_ == TDownState::DownOutside)
        SetDown(true);
    SetActive(true);
}

void TepBitmapButton::MouseLeave() {
    if (downState_ == TDownState::Down)
        SetDown(false);
    SetActive(false);
}

void TepBitmapButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    SetDown(true);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TepBitmapButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (downState_ == TDownState::Down && x >= 0 && x <= Width() && y >= 0 && y <= Height())
        SetDown(false);
    downState_ = TDownState::Up;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TepBitmapButton::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key == '\r') {
        SetDown(true);
        Click();
        SetDown(false);
        downState_ = TDownState::Up;
    }
}

LRESULT TepBitmapButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        Invalidate();
    return TCustomControl::WndProc(message, wParam, lParam);
}

bool TepBitmapButton::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "ModalResult")
        modalResult_ = reader.ReadInteger();
    else if (name == "Transparent")
        transparent_ = reader.ReadBool();
    else if (name == "BackColor")
        ReadColor(reader);
    else
        return TCustomControl::ReadProperty(name, reader);
    return true;
}

TPersistent* TepBitmapButton::SubObject(std::string_view name) {
    if (name == "BmpNormal")
        return bmpNormal_.get();
    if (name == "BmpActive")
        return bmpActive_.get();
    if (name == "BmpDown")
        return bmpDown_.get();
    return TCustomControl::SubObject(name);
}
