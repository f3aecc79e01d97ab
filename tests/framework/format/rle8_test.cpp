#include "ui/framework/format/rle8.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> Decode(const Bytes& body, int width, int height) {
    return DecodeRle8(body, width, height);
}

TEST(Rle8, RunsLiteralsAndLineEndsFillPaddedRowsBottomFirst) {
    // Width 5 pads each row to 8 bytes. Bottom row: runs of three 7s, one 1 and one 2. Top row: the
    // literal 4 5 6 (an odd count, so a pad byte follows), then a run of two 9s.
    const Bytes body = {3, 7, 1, 1, 1, 2, 0, 0, 0, 3, 4, 5, 6, 0xEE, 2, 9, 0, 1};
    const auto rows = Decode(body, 5, 2);
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, (Bytes{7, 7, 7, 1, 2, 0, 0, 0, 4, 5, 6, 9, 9, 0, 0, 0}));
}

TEST(Rle8, ADeltaSkipsPixelsWhichStayZero) {
    const Bytes body = {1, 5, 0, 2, 2, 1, 1, 6, 0, 1};
    const auto rows = Decode(body, 4, 2);
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, (Bytes{5, 0, 0, 0, 0, 0, 0, 6}));
}

TEST(Rle8, AnEndOfBitmapBeforeTheLastRowLeavesTheRestZero) {
    const auto rows = Decode({2, 3, 0, 1}, 2, 3);
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, (Bytes{3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Rle8, MalformedBodiesAreRefused) {
    const struct {
        const char* what;
        Bytes body;
    } cases[] = {
        {"a run past the row's end", {5, 1, 0, 1}},
        {"runs adding up past the row's end", {3, 1, 2, 1, 0, 1}},
        {"a literal past the row's end", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"a literal cut off", {0, 4, 1, 2}},
        {"a literal whose pad byte is missing", {0, 3, 1, 2, 3}},
        {"a run above the last row", {0, 0, 0, 0, 1, 1, 0, 1}},
        {"a delta beyond the image", {0, 2, 5, 0, 0, 1}},
        {"a delta cut off", {0, 2, 1}},
        {"no end-of-bitmap mark", {4, 1, 0, 0}},
        {"a lone byte", {4}},
        {"nothing at all", {}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(Decode(c.body, 4, 2)) << c.what;
    EXPECT_FALSE(Decode({0, 1}, 0, 1)) << "no width";
    EXPECT_FALSE(Decode({0, 1}, 1, 0)) << "no height";
    // 0x10001 rows of 0x10000 bytes wrap to one row's worth in a 32-bit size, whatever the caller checked.
    EXPECT_FALSE(Decode({0, 1}, 0x10000, 0x10001)) << "rows of 4 GiB";
}

} // namespace
