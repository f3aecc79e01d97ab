#pragma once

#include <string>

// Files named by the system's byte strings.
namespace platform {

// A directory search finds the name and it is not a directory.
bool FileExists(const std::string& path);

// Moves `pending` over `target` in one step, so one of the two always remains. False when the move
// failed (the target locked, say): both files then stay as they were.
bool MoveIntoPlace(const std::string& pending, const std::string& target);

} // namespace platform
