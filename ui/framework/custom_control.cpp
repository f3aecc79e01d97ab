#include "ui/framework/custom_control.h"

namespace {

// Lends a context to a canvas for one paint.
class LentHandle {
public:
    LentHandle(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas.SetHandle(dc); }
    ~LentHandle() { canvas_.SetHandle(nullptr); }
    LentHandle(const LentHandle&) = delete;
    LentHandle& operator=(const LentHandle&) = delete;

private:
    TCanvas& canvas_;
};

} // namespace

void TCustomControl::PaintWindow(HDC dc) {
    LentHandle lent(canvas_, dc);
    canvas_.Font().Assign(&Font());
    Paint();
}

void TGraphicControl::PaintTo(HDC dc) {
    LentHandle lent(canvas_, dc);
    canvas_.Font().Assign(&Font());
    Paint();
}
