#pragma once

#include "ui/framework/canvas.h"
#include "ui/framework/win_control.h"

// A windowed control that draws itself: Paint draws on Canvas, whose context is the one being painted.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    static constexpr TClassInfo kClassInfo{"TCustomControl", &TWinControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TCanvas& Canvas() { return canvas_; }
    void PaintWindow(HDC dc) override;

protected:
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

// A control without a window, painted by its parent into the parent's context.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    static constexpr TClassInfo kClassInfo{"TGraphicControl", &TControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintTo(HDC dc) override;
    virtual void Paint() {}

private:
    TCanvas canvas_;
};
