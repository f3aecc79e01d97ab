#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The suite's version-check library, bound for one question and released again. The binding (library
// handle and the address of ZM_luChkVer) is process-wide and starts unbound.

inline constexpr const char* CheckLibraryName = "ZM_CheckVer.dll";
inline constexpr const char* CheckLibraryPendingName = "ZM_CheckVer.dll.tmp";
inline constexpr const char* CheckExportName = "ZM_luChkVer";

// What binding or releasing the library came to.
enum : std::int32_t { CheckLibraryDone = 0, CheckLibraryFailed = -3 };

// Moves a pending replacement into place, loads the library from the main module's directory and
// resolves ZM_luChkVer: CheckLibraryDone, or CheckLibraryFailed for any failure. When only the export is
// missing the library stays loaded and bound without an entry.
std::int32_t LoadCheckLibrary();

// Clears the entry and releases the library: CheckLibraryDone, or CheckLibraryFailed when nothing was
// bound or a fault inside the library's detach was caught.
std::int32_t FreeCheckLibrary();

// Whether ZM_luChkVer is running: a library with a window of its own handles the caller's messages
// meanwhile, inside its own frames.
bool IsCheckLibraryCallRunning();

// Calls ZM_luChkVer(module ID, test mode, suite path or a null pointer when empty, live test mode).
// The answer, or nothing when the call raised a fault (or no entry is bound).
std::optional<std::int32_t> CallCheckEntry(const std::string& moduleId, std::int32_t testMode,
                                           const std::string& suitePath, std::int32_t liveTestMode);
