#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The entry every fuzz target defines; libFuzzer calls it, and so does the native replay test.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// The input a seed file stands for: its bytes as they are, or what a readable seed is converted to.
std::vector<std::uint8_t> FuzzInputFromSeed(std::vector<std::uint8_t> seed);
