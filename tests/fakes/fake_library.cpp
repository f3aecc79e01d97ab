#include "platform/library.h"
#include "tests/fakes/platform_fakes.h"

#include <algorithm>
#include <memory>

namespace {

struct LoadedLibrary {
    std::string Image;
    fakes::FakeLibrary Library;
};

struct LibraryState {
    std::map<std::string, fakes::FakeLibrary> Images;
    std::vector<std::unique_ptr<LoadedLibrary>> Loaded;
    // Loaded before the last reset and kept, so that no later library takes the address of one that
    // somebody may still hold.
    std::vector<std::unique_ptr<LoadedLibrary>> Forgotten;
    std::vector<std::string> Requests;
    std::vector<fakes::FakeCall> Calls;
};

// Never destroyed: a library still bound when the process ends is released after other statics go.
LibraryState& State() {
    static auto* state = new LibraryState;
    return *state;
}

using ExportSlot = std::pair<const std::string, fakes::FakeExport>;

std::optional<std::string> TextAt(std::uintptr_t address) {
    if (address == 0)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(address));
}

} // namespace

namespace platform {

LibraryHandle LoadLibraryFile(const std::string& path) {
    State().Requests.push_back(path);
    const std::optional<std::string> image = fakes::FileContent(path);
    if (!image)
        return nullptr;
    auto defined = State().Images.find(*image);
    if (defined == State().Images.end())
        return nullptr;
    State().Loaded.push_back(std::make_unique<LoadedLibrary>(LoadedLibrary{*image, defined->second}));
    return State().Loaded.back().get();
}

ExportAddress FindExport(LibraryHandle library, const char* name) {
    auto& exports = static_cast<LoadedLibrary*>(library)->Library.Exports;
    auto found = exports.find(name);
    return found == exports.end() ? nullptr : &*found;
}

bool ReleaseLibrary(LibraryHandle library) {
    auto& loaded = State().Loaded;
    auto found =
        std::find_if(loaded.begin(), loaded.end(), [&](const auto& l) { return l.get() == library; });
    if (found == loaded.end())
        return true; // one the last reset forgot
    const bool faults = (*found)->Library.FaultOnDetach;
    loaded.erase(found);
    return !faults;
}

std::optional<std::int32_t> CallStdcall4(ExportAddress function, std::uintptr_t first, std::uintptr_t second,
                                         std::uintptr_t third, std::uintptr_t fourth) {
    const auto& slot = *static_cast<ExportSlot*>(function);
    State().Calls.push_back(fakes::FakeCall{slot.first, TextAt(first), static_cast<std::int32_t>(second),
                                            TextAt(third), static_cast<std::int32_t>(fourth)});
    if (slot.second.Faults)
        return std::nullopt;
    return slot.second.Answer;
}

} // namespace platform

namespace fakes {

void ResetLibraryFake() {
    LibraryState fresh;
    fresh.Forgotten = std::move(State().Forgotten);
    for (auto& library : State().Loaded)
        fresh.Forgotten.push_back(std::move(library));
    State() = std::move(fresh);
}

void ResetPlatformFakes() {
    ResetRegistryFake();
    ResetFilesFake();
    ResetLibraryFake();
}

void DefineLibrary(const std::string& image, FakeLibrary library) {
    State().Images[image] = std::move(library);
}

const std::vector<FakeCall>& FakeCalls() {
    return State().Calls;
}

const std::vector<std::string>& LoadRequests() {
    return State().Requests;
}

int LoadedLibraryCount() {
    return static_cast<int>(State().Loaded.size());
}

std::vector<std::string> LoadedImages() {
    std::vector<std::string> images;
    for (const auto& loaded : State().Loaded)
        images.push_back(loaded->Image);
    return images;
}

} // namespace fakes
