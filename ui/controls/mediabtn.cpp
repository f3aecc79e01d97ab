#include "ui/controls/mediabtn.h"

#include "ui/controls/wavctrl.h"
#include "ui/framework/form.h"
#include "ui/framework/format/class_registry.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/register_classes.h"

using framework::SavedDcState;

TepCustomBitmapButton::TepCustomBitmapButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 90, 30);
    Font().SetName("Arial");
    Font().SetSize(11);
    Font().SetStyle(FontStyles({fsBold, fsItalic}));
    SetTabStop(true);
    bmpNormal_ = std::make_unique<TBitmap>();
    bmpActive_ = std::make_unique<TBitmap>();
    bmpDown_ = std::make_unique<TBitmap>();
}

TepCustomBitmapButton::~TepCustomBitmapButton() {
    bmpDown_.reset();
    bmpActive_.reset();
    bmpNormal_.reset();
}

void TepCustomBitmapButton::SetDown(bool value) {
    const TDownState wanted = value ? TDownState::Down : TDownState::DownOutside;
    if (downState_ != wanted) {
        downState_ = wanted;
        Invalidate();
    }
}

void TepCustomBitmapButton::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    Invalidate();
    if (activeSound_ != nullptr && active_)
        activeSound_->Play();
}

void TepCustomBitmapButton::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TepCustomBitmapButton::SetBackColor(TColor color) {
    if (color != backColor_) {
        backColor_ = color;
        Invalidate();
    }
}

// A player owned by another than the button's owner would otherwise leave the reference dangling.
void TepCustomBitmapButton::ReferTo(TepWavePlayer*& field, TepWavePlayer* player) {
    field = player;
    if (player != nullptr)
        FreeNotification(player);
}

void TepCustomBitmapButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == clickSound_)
        clickSound_ = nullptr;
    if (component == activeSound_)
        activeSound_ = nullptr;
}

LRESULT TepCustomBitmapButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers the face
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    return TCustomControl::WndProc(message, wParam, lParam);
}

void TepCustomBitmapButton::MouseEnter() {
    if (downState_ == TDownState::DownOutside)
        SetDown(true);
    SetActive(true);
}

void TepCustomBitmapButton::MouseLeave() {
    if (downState_ == TDownState::Down)
        SetDown(false);
    SetActive(false);
}

void TepCustomBitmapButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    SetDown(true);
}

// Both edges count as inside here, unlike the click's own test.
void TepCustomBitmapButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (downState_ == TDownState::Down && x >= 0 && x <= Width() && y >= 0 && y <= Height())
        SetDown(false);
    downState_ = TDownState::Up;
}

void TepCustomBitmapButton::Click() {
    if (clickSound_ != nullptr && active_)
        clickSound_->Play();
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TepCustomBitmapButton::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key != '\r')
        return;
    SetDown(true);
    Click();
    SetDown(false);
    downState_ = TDownState::Up;
}

void TepCustomBitmapButton::Paint() {
    if (bmpNormal_->Empty() || bmpActive_->Empty() || bmpDown_->Empty()) {
        PaintEmpty();
        return;
    }
    TBitmap& face = downState_ == TDownState::Down ? *bmpDown_ : active_ ? *bmpActive_ : *bmpNormal_;
    if (!transparent_) {
        face.Draw(Canvas(), 0, 0);
        return;
    }
    TBitmap work;
    work.SetSize(Width(), Height());
    PaintParentBackground(work.Canvas());
    const TColor key = face.Canvas().Pixel(0, 0);
    DrawKeyedBitmap(work.Canvas(), 0, 0, face, key);
    work.Draw(Canvas(), 0, 0);
}

// The parent paints itself with its origin moved to the button's place, then each non-windowed child
// that overlaps the button paints itself in its own place.
void TepCustomBitmapButton::PaintParentBackground(TCanvas& canvas) {
    TWinControl* parent = Parent();
    if (parent == nullptr)
        return;
    HDC dc = canvas.Handle();
    {
        SavedDcState saved(dc);
        ::SetViewportOrgEx(dc, -Left(), -Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
        parent->PaintWindow(dc);
    }
    const RECT own = BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child == nullptr || child->InheritsFrom(TWinControl::kClassInfo))
            continue;
        const RECT bounds = child->BoundsRect();
        RECT common;
        if (!child->Visible() || !::IntersectRect(&common, &bounds, &own))
            continue;
        SavedDcState saved(dc);
        ::SetViewportOrgEx(dc, child->Left() - Left(), child->Top() - Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

bool TepCustomBitmapButton::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "BackColor")
        backColor_ = ReadColor(reader);
    else if (name == "ModalResult")
        modalResult_ = reader.ReadInteger();
    else if (name == "Transparent")
        transparent_ = reader.ReadBool();
    else
        return TCustomControl::ReadProperty(name, reader);
    return true;
}

void TepCustomBitmapButton::WriteProperties(TWriter& writer) const {
    WriteColor(writer, "BackColor", backColor_);
    writer.WriteInteger("ModalResult", modalResult_);
    writer.WriteBool("Transparent", transparent_);
}

void TepBitmapButton::SetFace(TBitmap& face, const TBitmap* bitmap) {
    if (bitmap == nullptr)
        return;
    face.Assign(bitmap);
    SetBounds(Left(), Top(), bitmap->Width(), bitmap->Height());
}

bool TepBitmapButton::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "ClickSound")
        reader.ReadReference([this](TComponent* player) { SetClickSound(ObjectAs<TepWavePlayer>(player)); });
    else if (name == "ActiveSound")
        reader.ReadReference([this](TComponent* player) { SetActiveSound(ObjectAs<TepWavePlayer>(player)); });
    else
        return TepCustomBitmapButton::ReadProperty(name, reader);
    return true;
}

void TepBitmapButton::WriteProperties(TWriter& writer) const {
    auto& self = const_cast<TepBitmapButton&>(*this);
    writer.WriteObject("BmpActive", self.BmpActive());
    writer.WriteObject("BmpNormal", self.BmpNormal());
    writer.WriteObject("BmpDown", self.BmpDown());
    writer.WriteReference("ClickSound", ClickSound());
    writer.WriteReference("ActiveSound", ActiveSound());
}

TPersistent* TepBitmapButton::SubObject(std::string_view name) {
    if (name == "BmpActive")
        return &BmpActive();
    if (name == "BmpNormal")
        return &BmpNormal();
    if (name == "BmpDown")
        return &BmpDown();
    return TepCustomBitmapButton::SubObject(name);
}

void RegisterMediaBtnClasses() {
    RegisterComponentClass<TepBitmapButton>("TepBitmapButton");
}

void RegisterMediaBtnWriters() {
    RegisterFrameworkWriters();
    RegisterPropertyWriters<TepCustomBitmapButton, TepBitmapButton>();
}
