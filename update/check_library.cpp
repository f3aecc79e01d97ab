#include "update/check_library.h"

#include "platform/files.h"
#include "platform/library.h"
#include "update/module_path.h"
#include "update/module_table.h"

#include <cstdint>

namespace {

struct CheckLibraryBinding {
    platform::Library Library;
    platform::ExportAddress Entry = nullptr;
};

CheckLibraryBinding Binding;

} // namespace

std::int32_t LoadCheckLibrary() {
    const std::string directory = ReadModulePath(ModuleNames[MivoraModule]);
    const std::string target = directory + CheckLibraryName;
    // One move, so that a failure leaves the old library in place and the pending one for the next run.
    if (platform::FileExists(directory + CheckLibraryPendingName))
        platform::MoveIntoPlace(directory + CheckLibraryPendingName, target);
    if (!platform::FileExists(target))
        return -3;
    Binding.Library = platform::Library(target);
    if (!Binding.Library.IsLoaded())
        return -3;
    Binding.Entry = Binding.Library.Find(CheckExportName);
    return Binding.Entry != nullptr ? 0 : -3;
}

std::int32_t FreeCheckLibrary() {
    if (!Binding.Library.IsLoaded())
        return -3;
    Binding.Entry = nullptr;
    return Binding.Library.Release() ? 0 : -3;
}

std::optional<std::int32_t> CallCheckEntry(const std::string& moduleId, std::int32_t testMode,
                                           const std::string& suitePath, std::int32_t liveTestMode) {
    if (Binding.Entry == nullptr)
        return std::nullopt;
    const char* path = suitePath.empty() ? nullptr : suitePath.c_str();
    return platform::CallStdcall4(Binding.Entry, reinterpret_cast<std::uintptr_t>(moduleId.c_str()),
                                  static_cast<std::uint32_t>(testMode),
                                  reinterpret_cast<std::uintptr_t>(path),
                                  static_cast<std::uint32_t>(liveTestMode));
}
