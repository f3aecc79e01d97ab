#include "update/check_library.h"

#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/library.h"
#include "update/module_path.h"

#include <cstdint>

namespace {

struct CheckLibraryBinding {
    platform::Library Library;
    platform::ExportAddress Entry = nullptr;
};

CheckLibraryBinding Binding;
bool CallRunning = false;

} // namespace

std::int32_t LoadCheckLibrary() {
    const std::string directory = SuiteFilesFolder();
    const std::string target = directory + CheckLibraryName;
    // One move, so that a failure leaves the old library in place and the pending one for the next run.
    const bool pending = platform::FileExists(directory + CheckLibraryPendingName);
    const bool moved = pending && platform::MoveIntoPlace(directory + CheckLibraryPendingName, target);
    const bool present = platform::FileExists(target);
    platform::DebugLine("check library ", target,
                        pending ? (moved ? ", pending file moved into place" : ", pending file not moved")
                                : "",
                        present ? "" : ": missing");
    if (!present)
        return CheckLibraryFailed;
    Binding.Library = platform::Library(target);
    if (!Binding.Library.IsLoaded())
        return CheckLibraryFailed;
    Binding.Entry = Binding.Library.Find(CheckExportName);
    platform::DebugLine("check library loaded, export ", CheckExportName,
                        Binding.Entry != nullptr ? " found" : " missing");
    return Binding.Entry != nullptr ? CheckLibraryDone : CheckLibraryFailed;
}

std::int32_t FreeCheckLibrary() {
    if (!Binding.Library.IsLoaded())
        return CheckLibraryFailed;
    Binding.Entry = nullptr;
    const bool released = Binding.Library.Release();
    platform::DebugLine("check library ", released ? "released" : "not released");
    return released ? CheckLibraryDone : CheckLibraryFailed;
}

std::optional<std::int32_t> CallCheckEntry(const std::string& moduleId, std::int32_t testMode,
                                           const std::string& suitePath, std::int32_t liveTestMode) {
    if (Binding.Entry == nullptr)
        return std::nullopt;
    const char* path = suitePath.empty() ? nullptr : suitePath.c_str();
    CallRunning = true;
    const auto answer =
        platform::CallStdcall4(Binding.Entry, reinterpret_cast<std::uintptr_t>(moduleId.c_str()),
                               static_cast<std::uint32_t>(testMode), reinterpret_cast<std::uintptr_t>(path),
                               static_cast<std::uint32_t>(liveTestMode));
    CallRunning = false;
    return answer;
}

bool IsCheckLibraryCallRunning() {
    return CallRunning;
}
