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
    EXPECT_EQ(LabelBitmap->Canvas().Pixel(0, 0), 0x808080u) << "the frame";
    EXPECT_EQ(LabelBitmap->Canvas().Pixel(1, 1), 0xC0C0C0u) << "the tag";
    FreeLabelBitmap();
    EXPECT_EQ(LabelBitmap, nullptr);
}

} // namespace
