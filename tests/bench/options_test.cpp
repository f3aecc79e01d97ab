#include "bench/options.h"

#include <gtest/gtest.h>

namespace {

std::optional<Options> Parse(std::vector<std::string> arguments, std::string* error = nullptr) {
    std::string text;
    auto options = ParseOptions(arguments, text);
    if (error != nullptr)
        *error = text;
    return options;
}

TEST(OptionsTest, RunsDefaultToTwentyFiveAndTakeTheGivenCount) {
    ASSERT_TRUE(Parse({}));
    EXPECT_EQ(Parse({})->Runs, 25);
    ASSERT_TRUE(Parse({"--runs", "40"}));
    EXPECT_EQ(Parse({"--runs", "40"})->Runs, 40);
    EXPECT_EQ(Parse({"--runs", "1"})->Runs, 1);
    EXPECT_EQ(Parse({"--runs", "1000"})->Runs, MaxRuns);
    EXPECT_EQ(Parse({"--runs", "5", "--runs", "7"})->Runs, 7) << "the last one counts";
}

TEST(OptionsTest, CountsOutOfRangeOrNotWholeNumbersAreRefused) {
    for (const char* count : {"0", "-3", "1001", "", "ten", "12x", " 12", "99999999999"}) {
        std::string error;
        EXPECT_FALSE(Parse({"--runs", count}, &error)) << count;
        EXPECT_NE(error.find("--runs takes a whole number from 1 to 1000"), std::string::npos) << error;
    }
}

TEST(OptionsTest, AMissingCountOrAnUnknownArgumentIsRefusedWithItsName) {
    std::string error;
    EXPECT_FALSE(Parse({"--runs"}, &error));
    EXPECT_EQ(error, "--runs needs a count");
    EXPECT_FALSE(Parse({"--runs", "5", "--fast"}, &error));
    EXPECT_EQ(error, "unknown argument --fast");
    EXPECT_FALSE(Parse({"25"}, &error));
    EXPECT_EQ(error, "unknown argument 25");
}

TEST(OptionsTest, AnEarlierGateIsTakenByItsPath) {
    EXPECT_EQ(Parse({})->BeforeGate, "");
    const auto options = Parse({"--before", "Z:\\tmp\\old gate\\Mivora.exe", "--runs", "3"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->BeforeGate, "Z:\\tmp\\old gate\\Mivora.exe");
    EXPECT_EQ(options->Runs, 3);
    std::string error;
    EXPECT_FALSE(Parse({"--runs", "3", "--before"}, &error));
    EXPECT_EQ(error, "--before needs the path of a gate");
}

} // namespace
