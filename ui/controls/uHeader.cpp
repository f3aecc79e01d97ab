#include "ui/controls/uHeader.h"

TBitmap* LabelBitmap = nullptr;

void LoadLabelBitmap() {
    FreeLabelBitmap();
    LabelBitmap = new TBitmap();
    LabelBitmap->LoadFromResourceName(::GetModuleHandleA(nullptr), "BMP_LABEL");
}

void FreeLabelBitmap() {
    delete LabelBitmap;
    LabelBitmap = nullptr;
}
