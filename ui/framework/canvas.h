#pragma once

#include "ui/framework/font.h"
#include "ui/framework/graphics.h"

#include <windows.h>

#include <string_view>

// Drawing over a device context. The context is borrowed: a canvas never frees what it was given;
// a derived canvas may make its own when first asked for one.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : dc_(dc) {}
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle();
    void SetHandle(HDC dc) { dc_ = dc; }
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void FillRect(const RECT& rect);
    void Line(int x1, int y1, int x2, int y2, TColor color);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    // CP949 text in the canvas's font and colour, on a transparent background.
    void DrawText(std::string_view text, RECT& rect, UINT format);

protected:
    virtual HDC CreateHandle() { return nullptr; }

private:
    HDC dc_ = nullptr;
    TFont font_;
    TColor brushColor_ = clWhite;
};
