#include "bench/options.h"

#include <charconv>

namespace {

bool ReadRuns(const std::string& count, int& runs, std::string& error) {
    const auto [end, failure] = std::from_chars(count.data(), count.data() + count.size(), runs);
    if (failure != std::errc() || end != count.data() + count.size() || runs < 1 || runs > MaxRuns) {
        error = "--runs takes a whole number from 1 to " + std::to_string(MaxRuns) + ", not " + count;
        return false;
    }
    return true;
}

} // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name != "--runs" && name != "--before") {
            error = "unknown argument " + name;
            return std::nullopt;
        }
        if (i + 1 == arguments.size()) {
            error = name + (name == "--runs" ? " needs a count" : " needs the path of a gate");
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (name == "--before")
            options.BeforeGate = value;
        else if (!ReadRuns(value, options.Runs, error))
            return std::nullopt;
    }
    return options;
}
