// Feeds arbitrary registered paths to the suite-path cut: the path up to and including the last "\"
// among all its bytes but the last, or the path unchanged when there is none.
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"
#include "update/check_live_update.h"

#include <algorithm>
#include <string>

namespace {

// The rule, byte by byte from the end, leaving out the last byte.
std::string ModelSuitePath(const std::string& path) {
    for (std::size_t k = path.size(); k-- > 0;)
        if (k + 1 < path.size() && path[k] == '\\')
            return path.substr(0, k + 1);
    return path;
}

// True when a "\" lies among all bytes of `path` but the last.
bool HasInnerSlash(std::string_view path) {
    return !path.empty() && path.substr(0, path.size() - 1).find('\\') != std::string_view::npos;
}

// The rule above is byte by byte: a code page without lead bytes.
bool SingleByte(unsigned char) {
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::string path(input);
    const std::string suite = SuitePathOf(path, SingleByte);

    FUZZ_CHECK(suite == ModelSuitePath(path), input);
    FUZZ_CHECK(path.starts_with(suite), input);
    FUZZ_CHECK(suite == path || (suite.size() < path.size() && suite.back() == '\\'), input);
    // Cut exactly when there is a "\" to cut at, and after the last one: none lies between the cut
    // and the last byte.
    FUZZ_CHECK((suite != path) == HasInnerSlash(path), input);
    if (suite != path)
        FUZZ_CHECK(!HasInnerSlash(input.substr(suite.size())), input);

    // The last byte only counts by being there: any other last byte gives the same cut.
    if (suite != path) {
        std::string otherEnd = path;
        otherEnd.back() = otherEnd.back() == '\\' ? 'x' : '\\';
        FUZZ_CHECK(SuitePathOf(otherEnd, SingleByte) == suite, input);
    }
    // "D:\Suite\Bin" and "D:\Suite\Bin\" name the same directory.
    if (!path.empty() && path.back() != '\\' && path.find('\\') != std::string::npos)
        FUZZ_CHECK(SuitePathOf(path + "\\", SingleByte) == suite, input);

    // Cut again, a suite path stays put exactly when it has no further "\" to cut at, and otherwise
    // gets shorter: repeated cuts stop after at most one cut per "\".
    std::string current = path;
    const auto slashes = std::count(path.begin(), path.end(), '\\');
    for (long cuts = 0;; ++cuts) {
        const std::string next = SuitePathOf(current, SingleByte);
        FUZZ_CHECK((next == current) == !HasInnerSlash(current), input);
        if (next == current)
            break;
        FUZZ_CHECK(next.size() < current.size() && cuts < slashes, input);
        current = next;
    }
    return 0;
}
