#include "platform/debug_output.h"
#include "tests/fakes/debug_lines.h"

namespace fakes {

std::vector<std::string>& DebugLines() {
    static std::vector<std::string> lines;
    return lines;
}

} // namespace fakes

namespace platform {

void WriteDebugLine(std::string_view text) noexcept {
    try {
        fakes::DebugLines().emplace_back(text);
    } catch (...) {
    }
}

} // namespace platform
