// Seeds of the text targets are their inputs byte for byte.
#include "tests/fuzz/fuzz_replay.h"

std::vector<std::uint8_t> FuzzInputFromSeed(std::vector<std::uint8_t> seed) {
    return seed;
}
