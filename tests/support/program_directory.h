#pragma once

#include "platform/win32/module_file_path.h"

#include <string>

// The folder of the running test program, ending in "\": the simulated suite is built beside it.
inline std::string ProgramDirectory() {
    const std::string path = ModuleFilePath(nullptr);
    return path.substr(0, path.rfind('\\') + 1);
}
