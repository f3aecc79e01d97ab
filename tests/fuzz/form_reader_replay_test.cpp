// Runs the fuzz target over its seeds, every truncation of them and the inputs that once failed, so
// the native tests keep what fuzzing found.
#include "tests/framework/test_components.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(FormReaderFuzzReplay, SeedsTheirTruncationsAndPastFindings) {
    const fs::path dir = FUZZ_DIR;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(dir / "seeds")) {
        const std::vector<std::uint8_t> text = ReadAll(entry.path());
        const std::vector<std::uint8_t> design =
            DesignFromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        for (std::size_t n = 0; n <= design.size(); ++n, ++inputs)
            LLVMFuzzerTestOneInput(design.data(), n);
    }
    for (const auto& entry : fs::directory_iterator(dir / "regressions")) {
        const std::vector<std::uint8_t> input = ReadAll(entry.path());
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++inputs;
    }
    EXPECT_GT(inputs, 100);
}

} // namespace
