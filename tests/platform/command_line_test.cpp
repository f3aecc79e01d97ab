#include "platform/command_line.h"

#include <gtest/gtest.h>

using platform::CommandLineArgument;

namespace {

TEST(CommandLineArgument, BlanksAndControlCharactersSeparate) {
    EXPECT_EQ(CommandLineArgument("gate.exe  first\tsecond", 1), "first");
    EXPECT_EQ(CommandLineArgument("gate.exe  first\tsecond", 2), "second");
    EXPECT_EQ(CommandLineArgument("gate.exe\x01\x1f"
                                  "x",
                                  1),
              "x");
    EXPECT_EQ(CommandLineArgument("gate.exe", 1), "");
    EXPECT_EQ(CommandLineArgument("gate.exe   ", 1), "");
    EXPECT_EQ(CommandLineArgument("", 1), "");
}

TEST(CommandLineArgument, QuotesGroupAndAreDropped) {
    EXPECT_EQ(CommandLineArgument(R"("C:\Program Files\Mivora.exe" "  install  ")", 0),
              R"(C:\Program Files\Mivora.exe)");
    EXPECT_EQ(CommandLineArgument(R"("C:\Program Files\Mivora.exe" "  install  ")", 1), "  install  ");
    EXPECT_EQ(CommandLineArgument(R"(gate ab"c d"e f)", 1), "abc de");
    EXPECT_EQ(CommandLineArgument(R"(gate "unterminated arg)", 1), "unterminated arg");
}

TEST(CommandLineArgument, PairOfQuotesAtStartIsSkipped) {
    EXPECT_EQ(CommandLineArgument(R"(gate ""Install)", 1), "Install");
    EXPECT_EQ(CommandLineArgument(R"(gate """"x)", 1), "x");
    EXPECT_EQ(CommandLineArgument(R"(gate "" next)", 1), "next");
    EXPECT_EQ(CommandLineArgument(R"(gate a""b)", 1), "ab");
}

TEST(CommandLineArgument, LowerCaseIsKept) {
    EXPECT_EQ(CommandLineArgument("gate MiXeD", 1), "MiXeD");
}

TEST(CommandLineArgument, DoubleByteCharactersAreTakenWhole) {
    // A lead byte followed by a '"' byte is one character, so the quote does not open a stretch.
    const std::string line = std::string("gate \xB0\x22") + "x y";
    EXPECT_EQ(CommandLineArgument(line, 1), std::string("\xB0\x22") + "x");
    EXPECT_EQ(CommandLineArgument("gate \"설치 모드\" 다음", 1), "설치 모드");
    EXPECT_EQ(CommandLineArgument("gate \"설치 모드\" 다음", 2), "다음");
}

} // namespace
