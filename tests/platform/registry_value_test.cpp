#include "platform/registry_value.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using platform::QueryStatus;
using platform::RawValue;

// A value that changes under the reader: query i finds Versions[i] (the last one from then on).
struct ChangingValue {
    std::uint32_t Type = platform::RegSz;
    std::vector<std::string> Versions;
    std::size_t Queries = 0;

    platform::ValueQuery Query() {
        return [this](std::uint32_t& type, char* data, std::uint32_t& size) {
            const std::string& now = Versions[std::min(Queries++, Versions.size() - 1)];
            type = Type;
            if (data == nullptr || size < now.size()) {
                const bool sizing = data == nullptr;
                size = static_cast<std::uint32_t>(now.size());
                return sizing ? QueryStatus::Ok : QueryStatus::MoreData;
            }
            std::memcpy(data, now.data(), now.size());
            size = static_cast<std::uint32_t>(now.size());
            return QueryStatus::Ok;
        };
    }
};

TEST(ReadWholeValue, ReadsAValueThatGrowsBetweenSizeQueryAndRead) {
    ChangingValue value{platform::RegSz, {"short", std::string(5000, 'x') + '\0', std::string(90000, 'y')}};
    const auto read = platform::ReadWholeValue("Path", value.Query());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Type, platform::RegSz);
    EXPECT_EQ(read->Bytes, std::string(90000, 'y'));
}

TEST(ReadWholeValue, KeepsOnlyTheBytesWrittenWhenTheSizeWasOverstated) {
    // The narrow query may report room for the wide text and then write fewer bytes.
    std::uint32_t queries = 0;
    auto query = [&](std::uint32_t& type, char* data, std::uint32_t& size) {
        type = platform::RegSz;
        if (queries++ == 0) {
            size = 12;
            return QueryStatus::Ok;
        }
        std::memcpy(data, "abc", 4);
        size = 4;
        return QueryStatus::Ok;
    };
    const auto read = platform::ReadWholeValue("v", query);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Bytes, std::string("abc", 4));
}

TEST(ReadWholeValue, MissingEmptyAndFailingValues) {
    auto missing = [](std::uint32_t&, char*, std::uint32_t&) { return QueryStatus::Missing; };
    EXPECT_FALSE(platform::ReadWholeValue("v", missing));

    ChangingValue empty{platform::RegDword, {""}};
    const auto read = platform::ReadWholeValue("v", empty.Query());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Type, platform::RegDword);
    EXPECT_EQ(read->Bytes, "");
    EXPECT_EQ(empty.Queries, 1u);

    auto failing = [](std::uint32_t&, char*, std::uint32_t&) { return QueryStatus::Failed; };
    EXPECT_EQ(ErrorText<platform::RegistryError>([&] { platform::ReadWholeValue("TestMode", failing); }),
              "Failed to get data for 'TestMode'");

    // Deleted between the size query and the read.
    std::uint32_t calls = 0;
    auto vanishing = [&](std::uint32_t& type, char*, std::uint32_t& size) {
        type = platform::RegSz;
        size = 8;
        return calls++ == 0 ? QueryStatus::Ok : QueryStatus::Missing;
    };
    EXPECT_FALSE(platform::ReadWholeValue("v", vanishing));
}

TEST(DecodeText, CutsAtTheFirstNulAndToleratesAMissingTerminator) {
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegSz, std::string("C:\\Suite\\\0", 10)}),
              "C:\\Suite\\");
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegSz, std::string("ab\0cd\0", 6)}), "ab");
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegSz, "abcde"}), "abcde");
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegSz, std::string("\0", 1)}), "");
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegExpandSz, std::string("%TEMP%\\\0", 8)}),
              "%TEMP%\\");
}

TEST(DecodeText, MissingOrZeroSizeIsEmptyWhateverTheType) {
    EXPECT_EQ(platform::DecodeText("v", std::nullopt), "");
    EXPECT_EQ(platform::DecodeText("v", RawValue{platform::RegDword, ""}), "");
}

TEST(DecodeText, OtherTypesRaiseTheInvalidTypeError) {
    for (std::uint32_t type :
         {platform::RegNone, platform::RegBinary, platform::RegDword, platform::RegMultiSz}) {
        EXPECT_EQ(ErrorText<platform::RegistryError>([&] {
                      platform::DecodeText("Path", RawValue{type, std::string("abcd", 4)});
                  }),
                  "Invalid data type for 'Path'")
            << type;
    }
}

TEST(DecodeInteger, ReadsFourLittleEndianBytes) {
    EXPECT_EQ(platform::DecodeInteger("v", RawValue{platform::RegDword, std::string("\x05\0\0\0", 4)}), 5);
    EXPECT_EQ(platform::DecodeInteger("v", RawValue{platform::RegDword, "\xff\xff\xff\xff"}), -1);
    EXPECT_EQ(platform::DecodeInteger("v", RawValue{platform::RegDword, "\x01\x02"}), 0x0201);
}

TEST(DecodeInteger, RaisesForMissingOversizedAndWrongTypes) {
    EXPECT_EQ(ErrorText<platform::RegistryError>([] { platform::DecodeInteger("TestMode", std::nullopt); }),
              "Failed to get data for 'TestMode'");
    EXPECT_EQ(ErrorText<platform::RegistryError>([] {
                  platform::DecodeInteger("TestMode", RawValue{platform::RegDword, "12345678"});
              }),
              "Failed to get data for 'TestMode'");
    EXPECT_EQ(ErrorText<platform::RegistryError>([] {
                  platform::DecodeInteger("TestMode", RawValue{platform::RegSz, std::string("1\0", 2)});
              }),
              "Invalid data type for 'TestMode'");
    EXPECT_EQ(ErrorText<platform::RegistryError>([] {
                  platform::DecodeInteger("TestMode", RawValue{platform::RegBinary, "\1\0\0\0"});
              }),
              "Invalid data type for 'TestMode'");
    // A text too long for the four-byte read fails the read before its type is looked at.
    EXPECT_EQ(ErrorText<platform::RegistryError>([] {
                  platform::DecodeInteger("TestMode", RawValue{platform::RegSz, std::string("12345\0", 6)});
              }),
              "Failed to get data for 'TestMode'");
}

TEST(RegistryErrors, CarryTheirTexts) {
    EXPECT_EQ(ErrorText<platform::RegistryError>([] { platform::RaiseSetDataFailed("LiveTestMode"); }),
              "Failed to set data for 'LiveTestMode'");
}

TEST(RelativeKeyPath, DropsOneLeadingAndOneTrailingBackslash) {
    EXPECT_EQ(platform::RelativeKeyPath("\\Software\\QUENTAR\\ZelvanoManager\\"),
              "Software\\QUENTAR\\ZelvanoManager");
    EXPECT_EQ(platform::RelativeKeyPath("Software\\A"), "Software\\A");
    EXPECT_EQ(platform::RelativeKeyPath(""), "");
}

} // namespace
