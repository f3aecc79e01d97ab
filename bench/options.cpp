#include "bench/options.h"

#include <charconv>

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--runs") {
            error = "unknown argument " + arguments[i];
            return std::nullopt;
        }
        if (i + 1 == arguments.size()) {
            error = "--runs needs a count";
            return std::nullopt;
        }
        const std::string& count = arguments[++i];
        int runs = 0;
        const auto [end, failure] = std::from_chars(count.data(), count.data() + count.size(), runs);
        if (failure != std::errc() || end != count.data() + count.size() || runs < 1 || runs > MaxRuns) {
            error = "--runs takes a whole number from 1 to " + std::to_string(MaxRuns) + ", not " + count;
            return std::nullopt;
        }
        options.Runs = runs;
    }
    return options;
}
