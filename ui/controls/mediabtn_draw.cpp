#include "ui/controls/mediabtn.h"

#include "ui/framework/gdi_guards.h"

#include <algorithm>

using framework::SelectGuard;
using framework::UniqueDc;
using framework::UniqueGdiObject;

namespace {

// Palette-relative colours carry bit 25; the key is a plain RGB value.
constexpr TColor kPaletteRelative = 0x02000000;

} // namespace

void DrawKeyedBitmap(TCanvas& canvas, int x, int y, TBitmap& bitmap, TColor keyColor) {
    DrawKeyedBitmapRect(canvas, x, y, 0, 0, RECT{0, 0, 0, 0}, bitmap, keyColor);
}

void DrawKeyedBitmapRect(TCanvas& canvas, int x, int y, int w, int h, const RECT& source, TBitmap& bitmap,
                         TColor keyColor) {
    TBitmap copy;
    const RECT whole{0, 0, bitmap.Width(), bitmap.Height()};
    if (keyColor == clNone) {
        const bool part = source.right - source.left != 0 && source.bottom - source.top != 0;
        const RECT r = part ? source : whole;
        copy.SetSize(r.right - r.left, r.bottom - r.top);
        copy.Canvas().CopyRect(RECT{0, 0, r.right - r.left, r.bottom - r.top}, bitmap.Canvas(), r);
        if (w != 0 && h != 0)
            copy.StretchDraw(canvas, RECT{x, y, x + w, y + h});
        else
            copy.Draw(canvas, x, y);
        return;
    }
    copy.SetSize(whole.right, whole.bottom);
    bitmap.Draw(copy.Canvas(), 0, 0);
    MaskedBlt(canvas.Handle(), copy.Handle(), x, y, w, h, source, ColorToRGB(keyColor & ~kPaletteRelative));
}

void MaskedBlt(HDC dc, HBITMAP bitmap, int x, int y, int w, int h, const RECT& source, COLORREF key) {
    UniqueDc sourceDc(::CreateCompatibleDC(dc));
    SelectGuard sourceSelected(sourceDc.get(), bitmap);
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info); // no text in a BITMAP; 9x implements only the A form
    POINT size[3] = {
        {std::min<LONG>(source.right - source.left, info.bmWidth - source.left),
         std::min<LONG>(source.bottom - source.top, info.bmHeight - source.top)},
        {source.left, source.top},
        {info.bmWidth, info.bmHeight},
    };
    ::DPtoLP(sourceDc.get(), size, 3);
    const POINT whole = size[2];
    const POINT origin = size[1];
    int sw = size[0].x;
    int sh = size[0].y;
    if (sw == 0 || sh == 0) {
        sw = whole.x;
        sh = whole.y;
    }
    if (w == 0 || h == 0) {
        w = sw;
        h = sh;
    }

    UniqueGdiObject mask(::CreateBitmap(sw, sh, 1, 1, nullptr));
    UniqueGdiObject inverse(::CreateBitmap(sw, sh, 1, 1, nullptr));
    UniqueGdiObject work(::CreateCompatibleBitmap(dc, std::max(sw, w), std::max(sh, h)));
    UniqueGdiObject saved(::CreateCompatibleBitmap(dc, whole.x, whole.y));
    UniqueDc maskDc(::CreateCompatibleDC(dc));
    UniqueDc inverseDc(::CreateCompatibleDC(dc));
    UniqueDc workDc(::CreateCompatibleDC(dc));
    UniqueDc savedDc(::CreateCompatibleDC(dc));
    SelectGuard maskSelected(maskDc.get(), mask.get());
    SelectGuard inverseSelected(inverseDc.get(), inverse.get());
    SelectGuard workSelected(workDc.get(), work.get());
    SelectGuard savedSelected(savedDc.get(), saved.get());

    HDC s = sourceDc.get();
    ::SetMapMode(s, ::GetMapMode(dc));
    ::BitBlt(savedDc.get(), 0, 0, whole.x, whole.y, s, 0, 0, SRCCOPY);
    // Key-coloured pixels become 1 in the mask.
    const COLORREF oldBack = ::SetBkColor(s, key);
    ::BitBlt(maskDc.get(), 0, 0, sw, sh, s, origin.x, origin.y, SRCCOPY);
    ::SetBkColor(s, oldBack);
    ::BitBlt(inverseDc.get(), 0, 0, sw, sh, maskDc.get(), 0, 0, NOTSRCCOPY);
    // The background where the key was, the source's other pixels over black elsewhere.
    ::BitBlt(workDc.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
    ::StretchBlt(workDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, sw, sh, SRCAND);
    ::BitBlt(s, origin.x, origin.y, sw, sh, inverseDc.get(), 0, 0, SRCAND);
    ::StretchBlt(workDc.get(), 0, 0, w, h, s, origin.x, origin.y, sw, sh, SRCPAINT);
    // Exactly the composed w x h: a shrunk image has nothing drawn beyond it.
    ::BitBlt(dc, x, y, w, h, workDc.get(), 0, 0, SRCCOPY);
    ::BitBlt(s, 0, 0, whole.x, whole.y, savedDc.get(), 0, 0, SRCCOPY);
}
