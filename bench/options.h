#pragma once

#include <optional>
#include <string>
#include <vector>

struct Options {
    int Runs = 25; // timed runs of each kind
};

constexpr int MaxRuns = 1000;

// Reads `--runs N` (1 to MaxRuns); on anything else, nothing, with `error` saying what was wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);
