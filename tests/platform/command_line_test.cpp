#include "platform/command_line.h"

#include <gtest/gtest.h>

using platform::CommandLineArgument;

namespace {

// The system's code page decides the lead bytes: Korean Windows (949) and Western Windows (1252),
// which has none.
const platform::LeadByteTest Korean = platform::IsCp949LeadByte;
bool Western(unsigned char) {
    return false;
}

TEST(CommandLineArgument, BlanksAndControlCharactersSeparate) {
    EXPECT_EQ(CommandLineArgument("gate.exe  first\tsecond", 1, Korean), "first");
    EXPECT_EQ(CommandLineArgument("gate.exe  first\tsecond", 2, Korean), "second");
    EXPECT_EQ(CommandLineArgument("gate.exe\x01\x1f"
                                  "x",
                                  1, Korean),
              "x");
    EXPECT_EQ(CommandLineArgument("gate.exe", 1, Korean), "");
    EXPECT_EQ(CommandLineArgument("gate.exe   ", 1, Korean), "");
    EXPECT_EQ(CommandLineArgument("", 1, Korean), "");
}

TEST(CommandLineArgument, QuotesGroupAndAreDropped) {
    EXPECT_EQ(CommandLineArgument(R"("C:\Program Files\Mivora.exe" "  install  ")", 0, Korean),
              R"(C:\Program Files\Mivora.exe)");
    EXPECT_EQ(CommandLineArgument(R"("C:\Program Files\Mivora.exe" "  install  ")", 1, Korean),
              "  install  ");
    EXPECT_EQ(CommandLineArgument(R"(gate ab"c d"e f)", 1, Korean), "abc de");
    EXPECT_EQ(CommandLineArgument(R"(gate "unterminated arg)", 1, Korean), "unterminated arg");
}

TEST(CommandLineArgument, PairOfQuotesAtStartIsSkipped) {
    EXPECT_EQ(CommandLineArgument(R"(gate ""Install)", 1, Korean), "Install");
    EXPECT_EQ(CommandLineArgument(R"(gate """"x)", 1, Korean), "x");
    EXPECT_EQ(CommandLineArgument(R"(gate "" next)", 1, Korean), "next");
    EXPECT_EQ(CommandLineArgument(R"(gate a""b)", 1, Korean), "ab");
}

TEST(CommandLineArgument, LowerCaseIsKept) {
    EXPECT_EQ(CommandLineArgument("gate MiXeD", 1, Korean), "MiXeD");
}

TEST(CommandLineArgument, DoubleByteCharactersAreTakenWhole) {
    // A lead byte followed by a '"' byte is one character, so the quote does not open a stretch.
    const std::string line = std::string("gate \xB0\x22") + "x y";
    EXPECT_EQ(CommandLineArgument(line, 1, Korean), std::string("\xB0\x22") + "x");
    EXPECT_EQ(CommandLineArgument("gate \"설치 모드\" 다음", 1, Korean), "설치 모드");
    EXPECT_EQ(CommandLineArgument("gate \"설치 모드\" 다음", 2, Korean), "다음");
}

TEST(CommandLineArgument, AWesternSystemTakesEveryByteAlone) {
    // "é" (0xE9) before a closing quote or a blank ends neither the quote nor the argument.
    EXPECT_EQ(CommandLineArgument("gate \"caf\xE9\" next", 1, Western), "caf\xE9");
    EXPECT_EQ(CommandLineArgument("gate caf\xE9 next", 2, Western), "next");
    EXPECT_EQ(CommandLineArgument("gate caf\xE9 next", 1, Korean), "caf\xE9 next")
        << "as Korean Windows reads it";
}

} // namespace
