#include "platform/debug_output.h"

#include "tests/fakes/debug_lines.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DebugLine, JoinsTextsNumbersAndCodesIntoOneLine) {
    fakes::DebugLines().clear();
    const std::string path = "C:\\\xC1\xA9\xB9\xD9\xB3\xEB\\"; // CP949 bytes pass as they stand
    platform::DebugLine("check library ", path, ", answer ", -204, ", fault ", platform::Hex{0xC0000005u},
                        ", handle ", 4294967295u, ", least ", INT_MIN);
    EXPECT_EQ(
        fakes::DebugLines(),
        std::vector<std::string>{"check library " + path +
                                 ", answer -204, fault C0000005, handle 4294967295, least -2147483648"});
}

TEST(DebugLineText, StartsWithTheProgramAndTheMillisecondsAndEndsTheLine) {
    EXPECT_EQ(platform::DebugLineText(0, "road 1"), "Mivora: 0ms road 1\n");
    EXPECT_EQ(platform::DebugLineText(4294967295u, ""), "Mivora: 4294967295ms \n");
}

} // namespace
