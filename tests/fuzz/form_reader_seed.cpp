// The reader's seeds are readable designs; the reader gets their binary form.
#include "tests/framework/format/test_components.h"
#include "tests/fuzz/fuzz_replay.h"

#include <string_view>

std::vector<std::uint8_t> FuzzInputFromSeed(std::vector<std::uint8_t> seed) {
    return DesignFromText(std::string_view(reinterpret_cast<const char*>(seed.data()), seed.size()));
}
