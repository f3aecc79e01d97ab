#pragma once

#include "ui/framework/bitmap.h"

// The process-wide label bitmap, from the program's bitmap resource "BMP_LABEL" (72 x 9, 16 colours).
// Null before LoadLabelBitmap and after FreeLabelBitmap.
extern TBitmap* LabelBitmap;

void LoadLabelBitmap();
void FreeLabelBitmap();
