#include "ui/framework/format/form_text.h"

#include "tests/framework/format/test_components.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

std::vector<std::uint8_t> Convert(std::string_view properties) {
    std::vector<std::uint8_t> bytes = DesignFromText("object o: T\n" + std::string(properties) + "\nend\n");
    const std::vector<std::uint8_t> header = Bytes({'T', 'P', 'F', '0', 1, 'T', 1, 'o'});
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    return {bytes.begin() + 8, bytes.end()};
}

TEST(FormText, ValuesBecomeTheirBinaryForm) {
    EXPECT_EQ(Convert("A = $FF00000F"), Bytes({1, 'A', 0x04, 0x0F, 0, 0, 0xFF, 0, 0}));
    EXPECT_EQ(Convert("A = -2147483648"), Bytes({1, 'A', 0x04, 0, 0, 0, 0x80, 0, 0}));
    EXPECT_EQ(Convert("A = 'a''b' + 'c'#0"), Bytes({1, 'A', 0x06, 5, 'a', '\'', 'b', 'c', 0, 0, 0}));
    EXPECT_EQ(Convert("A = true B = nil"), Bytes({1, 'A', 0x09, 1, 'B', 0x0D, 0, 0}));
    EXPECT_EQ(Convert("A.B = [x, y] C = []"),
              Bytes({3, 'A', '.', 'B', 0x0B, 1, 'x', 1, 'y', 0, 1, 'C', 0x0B, 0, 0, 0}));
    EXPECT_EQ(Convert("A = { 0a ff\n  10 }"), Bytes({1, 'A', 0x0A, 3, 0, 0, 0, 0x0A, 0xFF, 0x10, 0, 0}));
    // DesignFromText's files hold their own name.
    EXPECT_EQ(Convert("A = @file 'wv'"), Bytes({1, 'A', 0x0A, 2, 0, 0, 0, 'w', 'v', 0, 0}));
    EXPECT_EQ(Convert("A = @bitmap 'bm' // comment"),
              Bytes({1, 'A', 0x0A, 6, 0, 0, 0, 2, 0, 0, 0, 'b', 'm', 0, 0}));
}

TEST(FormText, FaultsNameTheirLine) {
    auto errorOf = [](std::string_view text) -> std::string {
        try {
            DesignFromText(text);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(errorOf("object o: T\n A = 'open\nend"), "line 2: unterminated string");
    EXPECT_EQ(errorOf("object o: T\n A = 4294967296\nend"), "line 2: number out of range");
    EXPECT_EQ(errorOf("object o: T\n A = { 0 }\nend"), "line 2: odd number of hex digits in a binary block");
    EXPECT_EQ(errorOf("object o: T\n object p: T\n end\n A = 1\nend"),
              "line 4: property 'A' after a nested object");
    EXPECT_EQ(errorOf("object o: T\n A = 1\n"), "line 3: a name expected");
    EXPECT_EQ(errorOf("object o: T\nend\nend"), "line 3: text after the last 'end'");
    EXPECT_EQ(errorOf("object o: T\n A = @disk 'x'\nend"), "line 2: @file or @bitmap expected");
}

} // namespace
