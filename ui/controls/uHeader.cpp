#include "ui/controls/uHeader.h"

#include <memory>

TBitmap* LabelBitmap = nullptr;

namespace {
std::unique_ptr<TBitmap> labelBitmapOwner; // what LabelBitmap points to
}

void LoadLabelBitmap() {
    FreeLabelBitmap();
    labelBitmapOwner = std::make_unique<TBitmap>();
    LabelBitmap = labelBitmapOwner.get();
    LabelBitmap->LoadFromResourceName(::GetModuleHandleA(nullptr), "BMP_LABEL");
}

void FreeLabelBitmap() {
    LabelBitmap = nullptr;
    labelBitmapOwner.reset();
}
