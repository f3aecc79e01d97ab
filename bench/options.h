#pragma once

#include <optional>
#include <string>
#include <vector>

struct Options {
    int Runs = 25;          // timed runs of each kind
    std::string BeforeGate; // an earlier build of the gate whose roads are timed too; empty: none
};

constexpr int MaxRuns = 1000;

// Reads `--runs N` (1 to MaxRuns) and `--before PATH`; on anything else, nothing, with `error` saying
// what was wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);
