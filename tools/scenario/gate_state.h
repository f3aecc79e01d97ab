#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scenario {

// What a gate that has to be ended from outside was doing, for the report: whether it was started at
// all, its top-level windows with their classes, titles and visibility, and every process of the rig.
std::vector<std::string> DescribeStuckGate(HANDLE process, DWORD processId);

} // namespace scenario
