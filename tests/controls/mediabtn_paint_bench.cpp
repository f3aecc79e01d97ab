// Times one see-through paint of a 55 x 24 bitmap button against a plain 55 x 24 BitBlt measured in the
// same run, and prints both and their ratio. Not a test: nothing here passes or fails.
#include "ui/controls/mediabtn.h"
#include "ui/framework/application.h"
#include "ui/framework/form.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kWidth = 55;
constexpr int kHeight = 24;
constexpr int kRounds = 5000;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Paint> double MicrosecondsPerCall(Paint paint) {
    for (int i = 0; i < kRounds / 10; ++i)
        paint();
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i)
        paint();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e6 / kRounds;
}

void MakeFace(TBitmap& face, TColor colour) {
    face.SetSize(kWidth, kHeight);
    face.Canvas().SetBrushColor(colour);
    face.Canvas().FillRect(RECT{0, 0, kWidth, kHeight});
    face.Canvas().SetBrushColor(0xFF00FF);
    face.Canvas().FillRect(RECT{0, 0, 3, kHeight});
}

} // namespace

int main() {
    InitializeApplication();
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(TBorderStyle::bsNone);
    form->SetBounds(0, 0, 200, 100);
    auto* button = new TepBitmapButton(form);
    button->SetParent(form);
    TBitmap face;
    MakeFace(face, 0x808080);
    button->SetBmpNormal(&face);
    button->SetBmpActive(&face);
    button->SetBmpDown(&face);
    button->SetBounds(20, 10, kWidth, kHeight);

    TBitmap target;
    target.SetSize(kWidth, kHeight);
    HDC dc = target.Canvas().Handle();
    HDC source = face.Canvas().Handle();

    const double blt =
        MicrosecondsPerCall([&] { ::BitBlt(dc, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY); });
    const double see =
        MicrosecondsPerCall([&] { button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
    button->SetTransparent(false);
    const double opaque =
        MicrosecondsPerCall([&] { button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });

    std::printf("plain BitBlt 55x24:        %8.2f us\n", blt);
    std::printf("opaque button paint:       %8.2f us  (%.1f x BitBlt)\n", opaque, opaque / blt);
    std::printf("transparent button paint:  %8.2f us  (%.1f x BitBlt)\n", see, see / blt);
    delete form;
    FinalizeApplication();
    return 0;
}
