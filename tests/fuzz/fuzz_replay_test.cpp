// Runs one fuzz target over its seeds, every truncation of them and the inputs that once failed, so
// the native tests keep what fuzzing found. A failed property aborts the program with the reason.
#include "tests/fuzz/fuzz_replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Each input in a buffer of exactly its own size, so a sanitizer sees any read past its end.
void RunPrefix(const std::vector<std::uint8_t>& input, std::size_t size) {
    const std::vector<std::uint8_t> exact(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(size));
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
}

TEST(FuzzReplay, SeedsTheirTruncationsAndPastFindings) {
    const fs::path seeds = fs::path(FUZZ_INPUTS_DIR) / "seeds" / FUZZ_TARGET;
    const fs::path findings = fs::path(FUZZ_INPUTS_DIR) / "regressions" / FUZZ_TARGET;
    int seedCount = 0;
    for (const auto& entry : fs::directory_iterator(seeds)) {
        const std::vector<std::uint8_t> input = FuzzInputFromSeed(ReadAll(entry.path()));
        for (std::size_t n = 0; n <= input.size(); ++n)
            RunPrefix(input, n);
        ++seedCount;
    }
    // A misplaced directory must not make the replay pass without running anything.
    EXPECT_GT(seedCount, 0) << seeds;
    if (fs::exists(findings))
        for (const auto& entry : fs::directory_iterator(findings)) {
            const std::vector<std::uint8_t> input = ReadAll(entry.path());
            RunPrefix(input, input.size());
        }
}

} // namespace
