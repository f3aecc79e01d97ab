#include "update/updater_verdict.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ResponseToVerdict, KnownCodes) {
    const auto connectionLost = ResponseToVerdict(1006);
    ASSERT_TRUE(connectionLost);
    EXPECT_EQ(connectionLost->DialogType, 3);
    EXPECT_STREQ(connectionLost->MainText, "라이브 업데이트 작업중 서버와의 연결이 종료되었습니다.");
    EXPECT_STREQ(connectionLost->SubText, "프로그램이 정상작동하지 않을 수 있습니다.");
    EXPECT_TRUE(connectionLost->StartsMainProgram);

    const auto unregistered = ResponseToVerdict(1007);
    ASSERT_TRUE(unregistered);
    EXPECT_EQ(unregistered->DialogType, 4);
    EXPECT_STREQ(unregistered->MainText, "등록되지않은 프로그램이 연결되었습니다.");
    EXPECT_STREQ(unregistered->SubText, "프로그램을 실행할 수 없습니다.");
    EXPECT_FALSE(unregistered->StartsMainProgram);

    const auto success = ResponseToVerdict(1101);
    ASSERT_TRUE(success);
    EXPECT_EQ(success->DialogType, 0);
    EXPECT_TRUE(success->StartsMainProgram);

    const auto failed = ResponseToVerdict(1102);
    const auto unfinished = ResponseToVerdict(1103);
    ASSERT_TRUE(failed && unfinished);
    EXPECT_EQ(failed->DialogType, 4);
    EXPECT_FALSE(failed->StartsMainProgram);
    EXPECT_EQ(unfinished->DialogType, 3);
    EXPECT_TRUE(unfinished->StartsMainProgram);
    EXPECT_STREQ(failed->MainText, "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.");
    EXPECT_STREQ(unfinished->MainText, failed->MainText);
    EXPECT_STREQ(unfinished->SubText, "프로그램이 정상작동하지 않을 수 있습니다.");
}

TEST(ResponseToVerdict, UnknownCodesKeepWaiting) {
    for (const std::int32_t code : {0, 1000, 1005, 1008, 1100, 1104, -1103, 2028})
        EXPECT_FALSE(ResponseToVerdict(code)) << code;
}

TEST(MainProgramCommandLine, PlainConcatenation) {
    const std::string path = "C:\\Program Files\\Zelvano Mivora\\";
    EXPECT_EQ(MainProgramCommandLine(path, ""), "C:\\Program Files\\Zelvano Mivora\\MivoraMain.exe ");
    EXPECT_EQ(MainProgramCommandLine(
                  path, StartArgumentFrom("Mivora.exe \"  install  \"", platform::IsCp949LeadByte)),
              "C:\\Program Files\\Zelvano Mivora\\MivoraMain.exe INSTALL");
    EXPECT_EQ(MainProgramCommandLine("", "X"), "MivoraMain.exe X");
}

TEST(StartArgumentFrom, FirstArgumentTrimmedAndUpperCased) {
    EXPECT_EQ(StartArgumentFrom("Mivora.exe", platform::IsCp949LeadByte), "");
    EXPECT_EQ(StartArgumentFrom("\"C:\\Program Files\\Mivora.exe\" /auto extra", platform::IsCp949LeadByte),
              "/AUTO");
    EXPECT_EQ(StartArgumentFrom("Mivora.exe \"\tmiXed 1\t\"", platform::IsCp949LeadByte), "MIXED 1");
    // A Korean argument reaches the main program intact.
    const std::string korean = "\xB0\x61\xC7\x7A";
    EXPECT_EQ(StartArgumentFrom("Mivora.exe " + korean + "ab", platform::IsCp949LeadByte), korean + "AB");
}

} // namespace
