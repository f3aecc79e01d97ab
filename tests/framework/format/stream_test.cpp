#include "ui/framework/format/stream.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(MemoryStream, ReadsWritesAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    stream.Seek(-2, TSeekOrigin::soEnd);
    char two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "ef");
    EXPECT_EQ(stream.Remaining(), 0);
    char more;
    EXPECT_THROW(stream.ReadBuffer(&more, 1), EReadError);
    // Writing past the end grows the stream.
    stream.SetPosition(8);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e', 'f', 0, 0, 'z'}));
}

TEST(CountedBlock, LedByItsLittleEndianCountAndNoLongerThanTheStream) {
    TMemoryStream stream;
    WriteCountedBlock(stream, std::vector<std::uint8_t>(0x102, 7));
    EXPECT_EQ(std::vector<std::uint8_t>(stream.Bytes().begin(), stream.Bytes().begin() + 5),
              (std::vector<std::uint8_t>{0x02, 0x01, 0, 0, 7}));
    stream.SetPosition(0);
    EXPECT_EQ(ReadCountedBlock(stream), std::vector<std::uint8_t>(0x102, 7));

    TMemoryStream shorter(std::vector<std::uint8_t>{3, 0, 0, 0, 'a', 'b'});
    EXPECT_THROW(ReadCountedBlock(shorter), EReadError);
}

TEST(FileStream, NamesTheFileAndTheReasonWhenItCannotOpen) {
    const std::string missing = (std::filesystem::temp_directory_path() / "no-such-dir" / "x.wav").string();
    try {
        TFileStream stream(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.what();
    }
    EXPECT_THROW(TFileStream(missing, fmCreate), EFCreateError);
}

TEST(FileStream, CreatesTruncatesAndReadsBack) {
    const std::string name = (std::filesystem::temp_directory_path() / "mivora_stream_test.bin").string();
    {
        TFileStream stream(name, fmCreate);
        stream.WriteBuffer("0123456789", 10);
    }
    {
        TFileStream stream(name, fmCreate);
        stream.WriteBuffer("ab", 2);
    }
    {
        TFileStream stream(name, fmOpenRead);
        EXPECT_EQ(stream.Size(), 2);
        char bytes[3] = {};
        EXPECT_EQ(stream.Read(bytes, 3), 2u);
        EXPECT_STREQ(bytes, "ab");
    }
    std::filesystem::remove(name);
}

} // namespace
