#include "ui/framework/canvas.h"

#include "ui/framework/gdi_guards.h"
#include "ui/framework/window_api.h"

using framework::SelectGuard;
using framework::UniqueGdiObject;

HDC TCanvas::Handle() {
    if (dc_ == nullptr)
        dc_ = CreateHandle();
    return dc_;
}

TColor TCanvas::Pixel(int x, int y) {
    return ::GetPixel(Handle(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixelV(Handle(), x, y, ColorToRGB(color));
}

void TCanvas::FillRect(const RECT& rect) {
    UniqueGdiObject brush(::CreateSolidBrush(ColorToRGB(brushColor_)));
    ::FillRect(Handle(), &rect, static_cast<HBRUSH>(brush.get()));
}

void TCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    HDC dc = Handle();
    SelectGuard selected(dc, pen.get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    HDC dc = Handle();
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
                 sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                 sourceRect.bottom - sourceRect.top, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

void TCanvas::DrawText(std::string_view text, RECT& rect, UINT format) {
    HDC dc = Handle();
    SelectGuard font(dc, font_.Handle());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, ColorToRGB(font_.Color()));
    framework::DrawFrameworkText(dc, text, rect, format);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}
