#include "platform/files.h"

#include "platform/win32/module_file_path.h"

#include <windows.h>

namespace platform {

bool FileExists(const std::string& path) {
    if (!FitsFileFunctions(path))
        return false;
    // The attributes of exactly this name: a directory search would also take wildcards in it.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MoveIntoPlace(const std::string& pending, const std::string& target) {
    return ::MoveFileExA(pending.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string ProgramFolder() {
    return ModuleDirectory(nullptr);
}

} // namespace platform
