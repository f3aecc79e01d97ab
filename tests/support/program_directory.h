#pragma once

#include "platform/files.h"

#include <string>

// The folder of the running test program, ending in "\": the simulated suite is built beside it.
inline std::string ProgramDirectory() {
    return platform::ProgramFolder();
}
