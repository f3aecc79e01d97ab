#include "ui/controls/mediabtn.h"

#include "tests/support/gdi_count.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kKey = 0xFF00FF;
constexpr TColor kInk = 0x123456;
constexpr TColor kBack = 0x00A000;

// A w x h bitmap of `fill`, with `ink` in the rectangle `inked`.
void Paint(TBitmap& bitmap, int w, int h, TColor fill, const RECT& inked, TColor ink) {
    bitmap.SetSize(w, h);
    bitmap.Canvas().SetBrushColor(fill);
    bitmap.Canvas().FillRect(RECT{0, 0, w, h});
    bitmap.Canvas().SetBrushColor(ink);
    bitmap.Canvas().FillRect(inked);
}

class DrawKeyedBitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A 4 x 2 face: key colour everywhere but its right half.
        Paint(face, 4, 2, kKey, RECT{2, 0, 4, 2}, kInk);
        Paint(target, 10, 6, kBack, RECT{0, 0, 0, 0}, kBack);
    }
    TColor At(int x, int y) { return target.Canvas().Pixel(x, y); }

    TBitmap face;
    TBitmap target;
};

TEST_F(DrawKeyedBitmapTest, KeyedPixelsShowTheBackgroundAndTheCallersBitmapIsUntouched) {
    DrawKeyedBitmap(target.Canvas(), 1, 1, face, kKey);
    EXPECT_EQ(At(1, 1), kBack);
    EXPECT_EQ(At(2, 2), kBack);
    EXPECT_EQ(At(3, 1), kInk);
    EXPECT_EQ(At(4, 2), kInk);
    EXPECT_EQ(At(5, 1), kBack) << "nothing beyond the bitmap";
    EXPECT_EQ(face.Canvas().Pixel(0, 0), kKey);
    EXPECT_EQ(face.Canvas().Pixel(3, 1), kInk);
}

TEST_F(DrawKeyedBitmapTest, TheOpaqueKeyCopiesEveryPixel) {
    DrawKeyedBitmap(target.Canvas(), 0, 0, face, clNone);
    EXPECT_EQ(At(0, 0), kKey);
    EXPECT_EQ(At(3, 1), kInk);
    EXPECT_EQ(At(4, 0), kBack);
}

TEST_F(DrawKeyedBitmapTest, OpaqueWithASourceRectangleStretchedAndShrunk) {
    DrawKeyedBitmapRect(target.Canvas(), 0, 0, 0, 0, RECT{1, 0, 3, 2}, face, clNone);
    EXPECT_EQ(At(0, 0), kKey);
    EXPECT_EQ(At(1, 0), kInk);
    EXPECT_EQ(At(2, 0), kBack) << "only the 2 x 2 source rectangle";

    DrawKeyedBitmapRect(target.Canvas(), 0, 2, 8, 4, RECT{0, 0, 0, 0}, face, clNone);
    EXPECT_EQ(At(3, 5), kKey);
    EXPECT_EQ(At(4, 2), kInk);
    EXPECT_EQ(At(7, 5), kInk);
    EXPECT_EQ(At(8, 2), kBack);

    Paint(target, 10, 6, kBack, RECT{0, 0, 0, 0}, kBack);
    DrawKeyedBitmapRect(target.Canvas(), 0, 0, 2, 1, RECT{0, 0, 0, 0}, face, clNone);
    EXPECT_EQ(At(0, 0), kKey);
    EXPECT_EQ(At(1, 0), kInk);
    EXPECT_EQ(At(2, 0), kBack);
    EXPECT_EQ(At(0, 1), kBack);
}

TEST_F(DrawKeyedBitmapTest, KeyedWithASourceRectangle) {
    DrawKeyedBitmapRect(target.Canvas(), 0, 0, 0, 0, RECT{1, 0, 3, 2}, face, kKey);
    EXPECT_EQ(At(0, 0), kBack);
    EXPECT_EQ(At(1, 1), kInk);
    EXPECT_EQ(At(2, 0), kBack);
}

TEST_F(DrawKeyedBitmapTest, KeyedStretched) {
    DrawKeyedBitmapRect(target.Canvas(), 0, 0, 8, 4, RECT{0, 0, 0, 0}, face, kKey);
    EXPECT_EQ(At(0, 0), kBack);
    EXPECT_EQ(At(3, 3), kBack);
    EXPECT_EQ(At(4, 0), kInk);
    EXPECT_EQ(At(7, 3), kInk);
    EXPECT_EQ(At(8, 0), kBack);
    EXPECT_EQ(At(0, 4), kBack);
}

// Shrinking copies back exactly the composed w x h, not the larger source size.
TEST_F(DrawKeyedBitmapTest, KeyedShrunkTouchesOnlyTheDestinationRectangle) {
    Paint(face, 4, 2, kInk, RECT{0, 0, 1, 1}, kKey);
    DrawKeyedBitmapRect(target.Canvas(), 3, 3, 2, 1, RECT{0, 0, 0, 0}, face, kKey);
    EXPECT_EQ(At(4, 3), kInk);
    EXPECT_EQ(At(5, 3), kBack);
    EXPECT_EQ(At(6, 3), kBack);
    EXPECT_EQ(At(3, 4), kBack);
    EXPECT_EQ(At(4, 4), kBack);
}

TEST_F(DrawKeyedBitmapTest, ASystemColourKeyIsResolved) {
    const COLORREF face3d = ::GetSysColor(COLOR_BTNFACE);
    Paint(face, 4, 2, face3d, RECT{2, 0, 4, 2}, kInk);
    DrawKeyedBitmap(target.Canvas(), 0, 0, face, clBtnFace);
    EXPECT_EQ(At(0, 0), kBack);
    EXPECT_EQ(At(2, 0), kInk);
}

TEST_F(DrawKeyedBitmapTest, AnEightBitFaceIsKeyedByColour) {
    // 2 x 1, palette {magenta, ink}, pixels 0 then 1.
    const std::uint8_t bmp[] = {
        'B',  'M',  66,   0, 0,    0,    0,    0, 0, 0, 62, 0, 0, 0, // file header
        40,   0,    0,    0, 2,    0,    0,    0, 1, 0, 0,  0, 1, 0, 8, 0,
        0,    0,    0,    0, 4,    0,    0,    0,                          // info header...
        0,    0,    0,    0, 0,    0,    0,    0, 2, 0, 0,  0, 0, 0, 0, 0, // ...two colours
        0xFF, 0x00, 0xFF, 0, 0x12, 0x34, 0x56, 0,                          // palette
        0,    1,    0,    0};                                              // one row
    TBitmap eight;
    eight.LoadFromBmp(bmp);
    ASSERT_EQ(eight.BitCount(), 8);
    DrawKeyedBitmap(target.Canvas(), 0, 0, eight, eight.Canvas().Pixel(0, 0));
    EXPECT_EQ(At(0, 0), kBack);
    EXPECT_EQ(At(1, 0), kInk);
}

TEST(MaskedBlt, ReleasesEveryContextAndBitmap) {
    TBitmap face;
    TBitmap target;
    Paint(face, 55, 24, kKey, RECT{5, 5, 50, 20}, kInk);
    Paint(target, 55, 24, kBack, RECT{0, 0, 0, 0}, kBack);
    HDC dc = target.Canvas().Handle();
    HBITMAP source = face.Handle();
    MaskedBlt(dc, source, 0, 0, 0, 0, RECT{0, 0, 0, 0}, kKey); // first use settles caches
    const unsigned before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "the count must be measurable";
    for (int i = 0; i < 1000; ++i)
        MaskedBlt(dc, source, 0, 0, 0, 0, RECT{0, 0, 0, 0}, kKey);
    EXPECT_EQ(GdiObjectCount(), before);
    EXPECT_EQ(target.Canvas().Pixel(0, 0), kBack);
    EXPECT_EQ(target.Canvas().Pixel(5, 5), kInk);
}

} // namespace
