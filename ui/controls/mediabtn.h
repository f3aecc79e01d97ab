#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/custom_control.h"
#include "ui/framework/graphics.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class TepWavePlayer;

enum class TDownState : std::uint8_t { Up, Down, DownOutside };

// An owner-drawn push button whose face is one of three bitmaps: idle, under the pointer, pressed.
// It can draw the face see-through over its parent, keyed on the face's top-left pixel, play a sound
// on entry and on a click, and hands its ModalResult to its form on every click.
class TepCustomBitmapButton : public TCustomControl {
public:
    explicit TepCustomBitmapButton(TComponent* owner);
    ~TepCustomBitmapButton() override;

    static constexpr TClassInfo kClassInfo{"TepCustomBitmapButton", &TCustomControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    bool Active() const { return active_; }
    TDownState DownState() const { return downState_; }
    virtual void SetDown(bool value);
    virtual void SetActive(bool value);
    // Called by the paint when a face is missing; draws nothing here.
    virtual void PaintEmpty() {}

    // The control's OnClick is the button's own click event, raised last by a click.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Stored and repaints on change; the face does not use it.
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);

    // Not owned; a player's removal clears the reference wherever the player was owned.
    TepWavePlayer* ClickSound() const { return clickSound_; }
    void SetClickSound(TepWavePlayer* player) { ReferTo(clickSound_, player); }
    TepWavePlayer* ActiveSound() const { return activeSound_; }
    void SetActiveSound(TepWavePlayer* player) { ReferTo(activeSound_, player); }

    TBitmap& BmpNormal() { return *bmpNormal_; }
    TBitmap& BmpActive() { return *bmpActive_; }
    TBitmap& BmpDown() { return *bmpDown_; }

    // Also what a screen reader's press does.
    void Click() override;

    // What the parent shows beneath the button: its own paint and its non-windowed children.
    void PaintParentBackground(TCanvas& canvas);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyPress(char& key) override;

private:
    void ReferTo(TepWavePlayer*& field, TepWavePlayer* player);

    bool active_ = false;
    TDownState downState_ = TDownState::Up;
    TModalResult modalResult_ = mrNone;
    TepWavePlayer* clickSound_ = nullptr;
    TepWavePlayer* activeSound_ = nullptr;
    std::unique_ptr<TBitmap> bmpActive_;
    std::unique_ptr<TBitmap> bmpNormal_;
    std::unique_ptr<TBitmap> bmpDown_;
    bool transparent_ = true;
    TColor backColor_ = clBtnFace;
};

// Publishes the faces, with setters that copy a bitmap in and size the button to it, and the sounds.
class TepBitmapButton : public TepCustomBitmapButton {
public:
    explicit TepBitmapButton(TComponent* owner) : TepCustomBitmapButton(owner) {}
    static constexpr TClassInfo kClassInfo{"TepBitmapButton", &TepCustomBitmapButton::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // A null bitmap is ignored.
    void SetBmpActive(const TBitmap* bitmap) { SetFace(BmpActive(), bitmap); }
    void SetBmpNormal(const TBitmap* bitmap) { SetFace(BmpNormal(), bitmap); }
    void SetBmpDown(const TBitmap* bitmap) { SetFace(BmpDown(), bitmap); }

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    TPersistent* SubObject(std::string_view name) override;

private:
    void SetFace(TBitmap& face, const TBitmap* bitmap);
};

// Makes TepBitmapButton known to the form-layout reader.
void RegisterMediaBtnClasses();
// The bitmap buttons' properties for the form-layout writer (tools and tests), and the framework's.
void RegisterMediaBtnWriters();

// The whole bitmap at (x, y), its pixels of `keyColor` left out; clNone draws it opaque.
void DrawKeyedBitmap(TCanvas& canvas, int x, int y, TBitmap& bitmap, TColor keyColor);
// Part of a bitmap (the whole one when `source` is empty) at (x, y), stretched to w x h when both are
// non-zero; its pixels of `keyColor` are left out, or none with clNone. The caller's bitmap is not changed.
void DrawKeyedBitmapRect(TCanvas& canvas, int x, int y, int w, int h, const RECT& source, TBitmap& bitmap,
                         TColor keyColor);
// Copies `source` of a bitmap to (x, y) of `dc` at w x h (the source's size when zero), leaving out the
// pixels of `key`. Every context and bitmap it makes is freed before it returns.
void MaskedBlt(HDC dc, HBITMAP bitmap, int x, int y, int w, int h, const RECT& source, COLORREF key);
