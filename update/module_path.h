#pragma once

#include <string>
#include <string_view>

// The suite's product key; a module key is this followed by the module name and "\".
inline constexpr std::string_view ProductKeyPath = "\\Software\\QUENTAR\\ZelvanoManager\\";

std::string ModuleKeyPath(std::string_view moduleName);

// The installation directory registered for the module, exactly as stored (used as a prefix by plain
// concatenation), or "" when none. Reads the registry afresh on every call; creates the key when
// missing, where the user may. A value of a non-text type raises the registry layer's error.
std::string ReadModulePath(std::string_view moduleName);

// The folder the check library, the updater and the main program are loaded and started from: the main
// module's registered path, or the gate's own folder when that is empty (never the current directory,
// which a shortcut's "Start in" chooses).
std::string SuiteFilesFolder();
