#include "ui/framework/bitmap.h"

#include "tests/support/gdi_count.h"
#include "ui/framework/stream.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Bitmap, SavesAndLoadsItsPixelsAsABmpFile) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.SaveToBmp().empty());
    bitmap.SetSize(3, 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), 0xFFFFFFu) << "a new image is white";
    bitmap.Canvas().SetPixel(0, 0, 0x010203);
    bitmap.Canvas().SetPixel(2, 1, 0x0A0B0C);
    const std::vector<std::uint8_t> file = bitmap.SaveToBmp();
    ASSERT_GE(file.size(), 54u + 24u);
    EXPECT_EQ(file[0], 'B');

    TBitmap loaded;
    loaded.LoadFromBmp(file);
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.Height(), 2);
    EXPECT_EQ(loaded.Canvas().Pixel(0, 0), 0x010203u);
    EXPECT_EQ(loaded.Canvas().Pixel(2, 1), 0x0A0B0Cu);
    EXPECT_EQ(loaded.SaveToBmp(), file);
}

TEST(Bitmap, KeepsThePaletteOfAnEightBitFile) {
    const std::uint8_t bmp[] = {'B', 'M', 66, 0,    0, 0,    0, 0,    0,    0,    62, 0, 0, 0, 40, 0, 0,
                                0,   2,   0,  0,    0, 1,    0, 0,    0,    1,    0,  8, 0, 0, 0,  0, 0,
                                4,   0,   0,  0,    0, 0,    0, 0,    0,    0,    0,  0, 2, 0, 0,  0, 0,
                                0,   0,   0,  0xFF, 0, 0xFF, 0, 0x12, 0x34, 0x56, 0,  0, 1, 0, 0};
    TBitmap bitmap;
    bitmap.LoadFromBmp(bmp);
    EXPECT_EQ(bitmap.BitCount(), 8);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), 0xFF00FFu);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), 0x123456u);
    const std::vector<std::uint8_t> saved = bitmap.SaveToBmp();
    EXPECT_EQ(saved, std::vector<std::uint8_t>(std::begin(bmp), std::end(bmp)));
}

TEST(Bitmap, RefusesBytesThatAreNoBitmapAndStaysAsItWas) {
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    std::vector<std::uint8_t> good = bitmap.SaveToBmp();
    const auto refused = [&](std::vector<std::uint8_t> bytes) {
        EXPECT_THROW(bitmap.LoadFromBmp(bytes), EInvalidGraphic);
        EXPECT_EQ(bitmap.Width(), 2);
    };
    refused({});
    refused({'B', 'M'});
    auto wrongMagic = good;
    wrongMagic[0] = 'X';
    refused(wrongMagic);
    refused(std::vector<std::uint8_t>(good.begin(), good.begin() + 40)); // cut inside the header
    auto hugeWidth = good;
    hugeWidth[18 + 3] = 0x7F;
    refused(hugeWidth);
    auto badDepth = good;
    badDepth[28] = 7;
    refused(badDepth);
    auto farBits = good;
    farBits[10] = 0xFF;
    farBits[11] = 0xFF;
    refused(farBits);
    auto compressed = good;
    compressed[30] = BI_RLE8;
    refused(compressed);
    // Missing pixel bytes are taken as zero rather than read past the end.
    TBitmap shortened;
    shortened.LoadFromBmp(std::vector<std::uint8_t>(good.begin(), good.end() - 4));
    EXPECT_EQ(shortened.Canvas().Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(shortened.Canvas().Pixel(1, 0), 0u);
}

TEST(Bitmap, AssignCopiesAndTheCopiesStayApart) {
    TBitmap original;
    original.SetSize(2, 2);
    original.Canvas().SetPixel(0, 0, 0x112233);
    TBitmap copy;
    copy.Assign(&original);
    EXPECT_EQ(copy.Canvas().Pixel(0, 0), 0x112233u);
    original.Canvas().SetPixel(0, 0, 0x445566);
    EXPECT_EQ(copy.Canvas().Pixel(0, 0), 0x112233u);
    copy.Assign(&copy);
    EXPECT_EQ(copy.Width(), 2);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, HandleTakesTheBitmapOutOfItsCanvasSoItCanBeSelectedElsewhere) {
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.Canvas().SetPixel(1, 1, 0x0000FF);
    HDC other = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(other, bitmap.Handle());
    EXPECT_NE(previous, nullptr);
    EXPECT_EQ(::GetPixel(other, 1, 1), 0x0000FFu);
    ::SelectObject(other, previous);
    ::DeleteDC(other);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), 0x0000FFu) << "the canvas takes it back when used";
}

TEST(Bitmap, DataBlockIsACountThenTheFile) {
    TBitmap bitmap;
    bitmap.SetSize(2, 1);
    const std::vector<std::uint8_t> file = bitmap.SaveToBmp();
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    EXPECT_EQ(stream.Bytes(), file);
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Width(), 2);
}

TEST(Bitmap, FreesEverythingItMade) {
    {
        TBitmap warm;
        warm.SetSize(1, 1);
        warm.Canvas().Pixel(0, 0);
    }
    const unsigned before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        TBitmap bitmap;
        bitmap.SetSize(5, 5);
        bitmap.Canvas().SetPixel(1, 1, 0);
        TBitmap copy;
        copy.Assign(&bitmap);
        copy.Canvas().Draw(0, 0, bitmap);
        (void)copy.Handle();
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
