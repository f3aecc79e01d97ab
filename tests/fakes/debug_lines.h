#pragma once

#include <string>
#include <vector>

// The debug-output lines sent so far, recorded without their "Mivora: <ms>ms " prefix, in the order sent.
namespace fakes {

std::vector<std::string>& DebugLines();

} // namespace fakes
