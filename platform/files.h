#pragma once

#include "platform/text.h"

#include <string>

// Files named by the system's byte strings.
namespace platform {

// Windows' ANSI file functions take names shorter than MAX_PATH, which counts UTF-16 units (260 with
// the terminating NUL), however many bytes the name has in the system's code page; a longer name can
// name no file, and is never handed to them.
inline bool FitsFileFunctions(const std::string& path) {
    return CharacterCount(path, IsSystemLeadByte) < 260;
}

// A directory search finds the name and it is not a directory. False for a name too long for Windows.
bool FileExists(const std::string& path);

// Moves `pending` over `target` in one step, so one of the two always remains. False when the move
// failed (the target locked, say): both files then stay as they were.
bool MoveIntoPlace(const std::string& pending, const std::string& target);

// The folder of this program's own file, ending in "\".
std::string ProgramFolder();

} // namespace platform
