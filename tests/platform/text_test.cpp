#include "platform/text.h"

#include "tests/support/code_pages.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(TrimControls, DropsBytesUpTo0x20AtBothEnds) {
    EXPECT_EQ(TrimControls("  install  "), "install");
    EXPECT_EQ(TrimControls("\t\r\n\x01 a b \x1f"), "a b");
    EXPECT_EQ(TrimControls(" \t "), "");
    EXPECT_EQ(TrimControls(""), "");
    EXPECT_EQ(TrimControls(" 설치 "), "설치");
}

TEST(UpperAscii, ChangesOnlySingleByteLetters) {
    EXPECT_EQ(UpperAscii("install-Mode_9z", IsCp949LeadByte), "INSTALL-MODE_9Z");
    // CP949 double-byte characters whose second byte is a lower-case letter stay intact.
    const std::string korean = "\xB0\x61\xC7\x7A"; // lead bytes with trail bytes 'a' and 'z'
    EXPECT_EQ(UpperAscii(korean + "ab", IsCp949LeadByte), korean + "AB");
    EXPECT_EQ(UpperAscii("설치mode", IsCp949LeadByte), "설치MODE");
    // A lone lead byte at the end is left as it is.
    EXPECT_EQ(UpperAscii("a\xB0", IsCp949LeadByte), "A\xB0");
}

TEST(ParseInt32, DecimalWithBlanksAndSign) {
    EXPECT_EQ(ParseInt32("0"), 0);
    EXPECT_EQ(ParseInt32("  42"), 42);
    EXPECT_EQ(ParseInt32("-7"), -7);
    EXPECT_EQ(ParseInt32("+7"), 7);
    EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
}

TEST(ParseInt32, Hexadecimal) {
    EXPECT_EQ(ParseInt32("$1F"), 31);
    EXPECT_EQ(ParseInt32("x10"), 16);
    EXPECT_EQ(ParseInt32("0x10"), 16);
    EXPECT_EQ(ParseInt32("0XfF"), 255);
    EXPECT_EQ(ParseInt32("-$10"), -16);
    EXPECT_EQ(ParseInt32("$FFFFFFFF"), -1);
}

TEST(ParseInt32, AnythingElseIsNotAnInteger) {
    for (const char* text : {"", " ", "1.0.3", "12 ", "abc", "-", "$", "0x", "2147483648", "-2147483649",
                             "$100000000", "1e3", "\t5", "$1G", "12a"})
        EXPECT_FALSE(ParseInt32(text).has_value()) << text;
}

TEST(FolderOf, KeepsThePathUpToItsLastBackslash) {
    EXPECT_EQ(FolderOf("C:\\Suite\\Mivora.exe", IsCp949LeadByte), "C:\\Suite\\");
    EXPECT_EQ(FolderOf("C:\\Suite\\", IsCp949LeadByte), "C:\\Suite\\");
    EXPECT_EQ(FolderOf("Mivora.exe", IsCp949LeadByte), "");
}

// Code page 932: "表" is 0x95 0x5C, and its second byte is no separator.
TEST(FolderOf, CutsBetweenTheCodePagesCharacters) {
    const std::string table = "\x95\x5C";
    EXPECT_EQ(FolderOf("C:\\" + table + "\\Mivora.exe", code_pages::IsCp932LeadByte), "C:\\" + table + "\\");
    EXPECT_EQ(FolderOf("C:\\Suite\\" + table + ".exe", code_pages::IsCp932LeadByte), "C:\\Suite\\");
    EXPECT_FALSE(EndsWithSeparator("C:\\" + table, code_pages::IsCp932LeadByte));
    EXPECT_TRUE(EndsWithSeparator("C:\\" + table + "\\", code_pages::IsCp932LeadByte));
    // Where the code page has no lead bytes, the same byte is a separator.
    EXPECT_TRUE(EndsWithSeparator("C:\\" + table, code_pages::IsSingleByteLeadByte));
}

// Windows counts UTF-16 units: one for each character of a double-byte code page, however many bytes.
TEST(CharacterCount, CountsCharactersNotBytes) {
    EXPECT_EQ(CharacterCount("C:\\젤바노\\", IsCp949LeadByte), 7u);
    EXPECT_EQ(CharacterCount("C:\\젤바노\\", code_pages::IsSingleByteLeadByte), 10u);
    EXPECT_EQ(CharacterCount("a\xB0", IsCp949LeadByte), 2u) << "a lone lead byte at the end";
}

} // namespace
