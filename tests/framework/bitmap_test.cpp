#include "ui/framework/bitmap.h"

#include "tests/support/gdi_count.h"
#include "ui/framework/format/filer.h"
#include "ui/framework/format/stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

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

// A 3 x 2 eight-bit file with a two-colour table and a run-length encoded body.
std::vector<std::uint8_t> Rle8File(std::vector<std::uint8_t> body) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = 3;
    h.biHeight = 2;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biCompression = BI_RLE8;
    h.biSizeImage = static_cast<DWORD>(body.size());
    h.biClrUsed = 2;
    const std::uint8_t table[] = {0xFF, 0, 0xFF, 0, 0x12, 0x34, 0x56, 0};
    const std::uint32_t offBits = 14 + sizeof h + sizeof table;
    const std::uint32_t size = offBits + static_cast<std::uint32_t>(body.size());
    std::vector<std::uint8_t> file = {'B', 'M'};
    for (std::uint32_t word : {size, 0u, offBits})
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
    const auto* header = reinterpret_cast<const std::uint8_t*>(&h);
    file.insert(file.end(), header, header + sizeof h);
    file.insert(file.end(), std::begin(table), std::end(table));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

TEST(Bitmap, ExpandsARunLengthEncodedFileAndSavesItPlain) {
    TBitmap bitmap;
    bitmap.LoadFromBmp(Rle8File({2, 1, 1, 0, 0, 0, 3, 0, 0, 1}));
    EXPECT_EQ(bitmap.BitCount(), 8);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), 0x123456u) << "the bottom row comes first";
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), 0x123456u);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), 0xFF00FFu);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), 0xFF00FFu);
    const std::vector<std::uint8_t> saved = bitmap.SaveToBmp();
    TBitmap reloaded;
    reloaded.LoadFromBmp(saved);
    EXPECT_EQ(reloaded.Canvas().Pixel(0, 1), 0x123456u);
    EXPECT_EQ(saved[30], BI_RGB);

    EXPECT_THROW(bitmap.LoadFromBmp(Rle8File({4, 1, 0, 1})), EInvalidGraphic) << "a run past the row";
    EXPECT_THROW(bitmap.LoadFromBmp(Rle8File({3, 1, 0, 0})), EInvalidGraphic) << "no end mark";
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), 0x123456u) << "a refused file changes nothing";
}

// A 1 x 1 32-bit BI_BITFIELDS file with its header of `headerSize` bytes and its pixel at `offBits`.
// The masks put red in the low byte; they are the 12 bytes after the first 40 of the header, whether
// the header ends there or holds them.
std::vector<std::uint8_t> BitfieldsFile(std::uint32_t headerSize, std::uint32_t offBits) {
    std::vector<std::uint8_t> file(std::max<std::size_t>(offBits, 14 + 52) + 4);
    const auto put = [&](std::size_t at, std::uint32_t value) { std::memcpy(&file[at], &value, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put(10, offBits);
    for (const auto& [at, value] : {std::pair{0, headerSize},
                                    {4, 1u},
                                    {8, 1u},
                                    {12, 1u | 32u << 16},
                                    {16, BI_BITFIELDS},
                                    {40, 0xFFu},
                                    {44, 0xFF00u},
                                    {48, 0xFF0000u}})
        put(14 + at, value);
    put(offBits, 0xFF);
    file.resize(offBits + 4);
    return file;
}

TEST(Bitmap, ReadsTheMasksOfBitfieldsWhateverItsHeaderSizeAndNothingBeyondTheFile) {
    for (const std::uint32_t headerSize : {40u, 44u, 108u}) {
        TBitmap bitmap;
        bitmap.LoadFromBmp(BitfieldsFile(headerSize, 14 + std::max(headerSize, 52u)));
        EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), 0x0000FFu) << headerSize;
        const std::vector<std::uint8_t> saved = bitmap.SaveToBmp();
        EXPECT_EQ(saved[14], 40u) << "kept with a plain header and its masks";
        TBitmap reloaded;
        reloaded.LoadFromBmp(saved);
        EXPECT_EQ(reloaded.Canvas().Pixel(0, 0), 0x0000FFu) << headerSize;
    }
    // A 44-byte header ends inside the masks; here the pixels start where the masks would go on.
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromBmp(BitfieldsFile(44, 14 + 44)), EInvalidGraphic);
    auto threeBytes = BitfieldsFile(40, 14 + 52);
    threeBytes[28] = 24;
    EXPECT_THROW(bitmap.LoadFromBmp(threeBytes), EInvalidGraphic) << "masks are for 16 and 32 bits only";
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

// Hands one stored "Data" block to the bitmap's read procedure, or takes what its write procedure stores.
class DataBlock : public TFiler {
public:
    explicit DataBlock(std::vector<std::uint8_t> given = {}) : bytes(std::move(given)) {}
    void DefineBinaryProperty(std::string_view name, const BinaryReadProc& readData,
                              const BinaryWriteProc& writeData, bool hasData) override {
        EXPECT_EQ(name, "Data");
        stored = hasData;
        TMemoryStream stream(bytes);
        if (!bytes.empty()) {
            readData(stream);
        } else if (hasData) {
            writeData(stream);
            bytes = stream.Bytes();
        }
    }
    void DefineProperty(std::string_view, const ReadProc&, const WriteProc&, bool) override {}
    std::vector<std::uint8_t> bytes;
    bool stored = false;
};

TEST(Bitmap, DataHoldsItsOwnCountWhichMayNotReachBeyondTheBlock) {
    TBitmap bitmap;
    DataBlock none;
    bitmap.DefineProperties(none);
    EXPECT_FALSE(none.stored) << "an empty bitmap stores no Data";

    bitmap.SetSize(2, 1);
    DataBlock written;
    bitmap.DefineProperties(written);
    const std::vector<std::uint8_t> file = bitmap.SaveToBmp();
    ASSERT_EQ(written.bytes.size(), 4 + file.size());
    std::uint32_t count = 0;
    std::memcpy(&count, written.bytes.data(), 4);
    EXPECT_EQ(count, file.size());
    EXPECT_EQ(std::vector<std::uint8_t>(written.bytes.begin() + 4, written.bytes.end()), file);

    TBitmap loaded;
    DataBlock read(written.bytes);
    loaded.DefineProperties(read);
    EXPECT_EQ(loaded.Width(), 2);

    // A hostile count is a read error, not an attempt to allocate gigabytes.
    for (std::uint32_t hostile : {0xFFFFFFF0u, 0x40000000u, static_cast<std::uint32_t>(file.size() + 1)}) {
        std::vector<std::uint8_t> bytes = written.bytes;
        std::memcpy(bytes.data(), &hostile, 4);
        DataBlock bad(bytes);
        try {
            loaded.DefineProperties(bad);
            ADD_FAILURE() << hostile;
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
        EXPECT_EQ(loaded.Width(), 2);
    }

    // A stream positioned beyond its end holds nothing to load.
    TMemoryStream beyond(file);
    beyond.SetPosition(static_cast<std::int64_t>(file.size()) + 8);
    EXPECT_THROW(loaded.LoadFromStream(beyond), EInvalidGraphic);
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
        bitmap.Draw(copy.Canvas(), 0, 0);
        (void)copy.Handle();
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
