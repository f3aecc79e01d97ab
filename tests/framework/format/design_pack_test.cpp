#include "ui/framework/format/design_pack.h"
#include "ui/framework/format/stream.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DesignPack, LiteralsAndAnOverlappingCopyUnpackAsStated) {
    // Size 9; the literals "ab"; a near copy of 4 from 2 back, which repeats what it makes; a far copy
    // of 3 from 6 back.
    const Bytes packed = {9, 0, 0, 0, 0x01, 'a', 'b', 0x88, 0x01, 0xC0, 0x05, 0x00};
    EXPECT_EQ(UnpackDesign(packed), (Bytes{'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b', 'a'}));
}

TEST(DesignPack, ADesignComesBackWholeAndRepeatedRowsPackSmall) {
    std::ifstream file(SAMPLE_DESIGN, std::ios::binary);
    const Bytes design{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(design.empty());
    EXPECT_EQ(UnpackDesign(PackDesign(design)), design);

    Bytes rows;
    for (int row = 0; row < 64; ++row)
        for (int x = 0; x < 40; ++x)
            rows.push_back(static_cast<std::uint8_t>(x == 0 ? row : x));
    const Bytes packed = PackDesign(rows);
    EXPECT_LT(packed.size(), rows.size() / 4);
    EXPECT_EQ(UnpackDesign(packed), rows);
    EXPECT_EQ(UnpackDesign(PackDesign({})), Bytes{});
}

TEST(DesignPack, DamagedBytesAreRefused) {
    const Bytes damaged[] = {
        {6, 0, 0},                                // no whole size
        {6, 0, 0, 0, 0x05, 'a', 'b'},             // literals cut short
        {6, 0, 0, 0, 0x01, 'a', 'b', 0x88},       // near copy cut short
        {6, 0, 0, 0, 0x01, 'a', 'b', 0xC1, 0x01}, // far copy cut short
        {6, 0, 0, 0, 0x01, 'a', 'b', 0x88, 0x02}, // copy from before the start
        {5, 0, 0, 0, 0x01, 'a', 'b', 0x88, 0x01}, // more than stated
        {7, 0, 0, 0, 0x01, 'a', 'b', 0x88, 0x01}, // fewer than stated
        {0, 0, 0, 0x40, 0x00, 'a'},               // a size no packed form of this length can hold
    };
    for (const Bytes& packed : damaged)
        EXPECT_THROW(UnpackDesign(packed), EReadError) << packed.size();
}

} // namespace
