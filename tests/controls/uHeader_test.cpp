#include "ui/controls/uHeader.h"

#include <gtest/gtest.h>

namespace {

// The resource is linked into every program that uses the controls, this test included.
TEST(LabelBitmap, LoadedFromTheProgramsResourceAndFreed) {
    EXPECT_EQ(LabelBitmap, nullptr);
    LoadLabelBitmap();
    ASSERT_NE(LabelBitmap, nullptr);
    EXPECT_EQ(LabelBitmap->Width(), 72);
    EXPECT_EQ(LabelBitmap->Height(), 9);
    EXPECT_EQ(LabelBitmap->BitCount(), 4);
    EXPECT_EQ(LabelBitmap->Canvas().Pixel(0, 0), 0xFFFFFFu) << "the ground";
    EXPECT_EQ(LabelBitmap->Canvas().Pixel(22, 1), 0xA17200u) << "the first stroke of the word, RGB 0, 114, 161";
    FreeLabelBitmap();
    EXPECT_EQ(LabelBitmap, nullptr);
}

} // namespace
