#include "update/check_live_update.h"

#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "ui/framework/waiting_messages.h"
#include "ui/message/message_type.h"
#include "update/check_library.h"
#include "update/gate_message.h"
#include "update/module_path.h"
#include "update/module_table.h"

namespace {

constexpr unsigned kPauseBeforeStartMs = 200;

struct TestSwitches {
    std::int32_t TestMode = 0;
    std::int32_t LiveTestMode = 0;
};

// Makes sure both switches exist, then reads them; anything but 0 and 1 counts as 0, in memory only.
// A user who may only read the hive cannot add a missing switch (or its key): it counts as 0. The
// switches live in the LiveUpdate module's key.
TestSwitches ReadTestSwitches() {
    platform::RegistryKey key(ModuleKeyPath(ModuleNames[LiveUpdateModule]));
    if (key.IsWritable())
        for (const char* name : {"TestMode", "LiveTestMode"})
            if (!key.ValueExists(name))
                key.WriteInteger(name, 0);
    auto read = [&key](const char* name) -> std::optional<std::int32_t> {
        if (!key.IsWritable() && !key.ValueExists(name))
            return std::nullopt;
        return key.ReadInteger(name);
    };
    const auto testMode = read("TestMode");
    const auto liveTestMode = read("LiveTestMode");
    platform::DebugLine("registry: switch key ", key.IsWritable() ? "writable" : "not writable",
                        ", TestMode ", testMode ? std::to_string(*testMode) : "missing", ", LiveTestMode ",
                        liveTestMode ? std::to_string(*liveTestMode) : "missing");
    auto clamped = [](std::optional<std::int32_t> value) { return value == 1 ? 1 : 0; };
    return {clamped(testMode), clamped(liveTestMode)};
}

std::string ReadInstalledVersion(const std::string& moduleName) {
    const std::string version = platform::RegistryKey(ModuleKeyPath(moduleName)).ReadString("ver");
    platform::DebugLine("registry: ver \"", version, "\"");
    return version.empty() ? "0" : version;
}

// Asks the library; its answer, or the result code of a failure already explained to the user.
struct LibraryVerdict {
    std::int32_t Answer = UpdateDueAnswer;
    std::int32_t Failure = 0;
};

// The loaded check library, released when the question is left before its release, by an error too.
class LoadedCheckLibrary {
public:
    LoadedCheckLibrary() = default;
    ~LoadedCheckLibrary() {
        if (loaded_)
            FreeCheckLibrary();
    }
    LoadedCheckLibrary(const LoadedCheckLibrary&) = delete;
    LoadedCheckLibrary& operator=(const LoadedCheckLibrary&) = delete;

    std::int32_t Release() {
        loaded_ = false;
        return FreeCheckLibrary();
    }

private:
    bool loaded_ = true;
};

LibraryVerdict AskCheckLibrary(const std::string& moduleId, const TestSwitches& switches,
                               const std::string& suitePath) {
    if (LoadCheckLibrary() != CheckLibraryDone) {
        ShowGateMessage("update_dll_load", mtCaution, "라이브 업데이트 DLL 로딩에 실패하였습니다.");
        return {0, CheckFailed};
    }
    LoadedCheckLibrary library;
    const auto answer = CallCheckEntry(moduleId, switches.TestMode, suitePath, switches.LiveTestMode);
    platform::DebugLine("check library ", answer ? "answered " + std::to_string(*answer) : "call faulted");
    if (!answer) {
        ShowGateMessage("update_web_connect", mtCaution, "라이브 업데이트 웹 접속에 실패하였습니다.");
        library.Release();
        return {0, CheckCallFailed};
    }
    if (library.Release() != CheckLibraryDone) {
        ShowGateMessage("update_disconnect", mtCaution, "라이브 업데이트 접속해제에 실패하였습니다.");
        return {0, CheckCallFailed};
    }
    return {*answer, 0};
}

std::int32_t StartUpdater(const std::string& moduleId, const TestSwitches& switches,
                          const std::string& suitePath, std::uint32_t window, platform::Process& updater,
                          const std::function<bool()>& stillWaiting) {
    const std::string updaterPath = SuiteFilesFolder() + "ZM_LiveUpdate.exe";
    const std::string pendingPath = updaterPath + ".tmp";
    if (platform::FileExists(pendingPath))
        platform::MoveIntoPlace(pendingPath, updaterPath);

    if (platform::FileExists(updaterPath)) {
        HandleWaitingMessages();
        platform::SleepMs(kPauseBeforeStartMs);
        // The library's own message loops and the messages just handled may have brought a verdict.
        if (!stillWaiting()) {
            platform::DebugLine("the updater is not started: a verdict decided meanwhile");
            return NoUpdateDue;
        }
        auto field = [](const std::string& text) { return "<" + text + ">"; };
        const std::string commandLine =
            updaterPath + " " + field(moduleId) + field(std::to_string(switches.TestMode)) +
            field(suitePath) + field(std::to_string(switches.LiveTestMode)) + field(std::to_string(window));
        updater = platform::StartProgramRun(updaterPath, commandLine);
        if (updater.IsStarted())
            return UpdaterStarted;
    }
    // Without an updater no verdict can come: say so, and let the main program start at once.
    ShowGateMessage("update_no_updater", mtCaution, "라이브 업데이트 실행파일을 찾을 수 없습니다.");
    return UpdaterMissing;
}

} // namespace

std::string SuitePathOf(const std::string& registeredPath, platform::LeadByteTest isLeadByte) {
    std::string_view path = registeredPath;
    // A trailing "\" belongs to the last component.
    if (platform::EndsWithSeparator(path, isLeadByte))
        path.remove_suffix(1);
    const std::size_t cut = platform::LastSeparator(path, isLeadByte);
    return cut == std::string_view::npos ? registeredPath : registeredPath.substr(0, cut + 1);
}

std::int32_t CheckLiveUpdate(const std::string& moduleId, std::uint32_t window, platform::Process& updater,
                             const std::function<bool()>& stillWaiting) {
    const TestSwitches switches = ReadTestSwitches();
    const std::string moduleName(CurrentModuleName());
    const std::string versionText = ReadInstalledVersion(moduleName);
    const std::string registeredPath = ReadModulePath(moduleName);
    platform::DebugLine("registry: Path \"", registeredPath, "\"");
    const std::string suitePath = SuitePathOf(registeredPath, platform::IsSystemLeadByte);
    const std::int32_t version = platform::ParseInt32(versionText).value_or(0);

    LibraryVerdict verdict;
    if (version != 0) {
        verdict = AskCheckLibrary(moduleId, switches, suitePath);
        if (verdict.Failure != 0)
            return verdict.Failure;
    }
    if (verdict.Answer == UpdateDueAnswer)
        return StartUpdater(moduleId, switches, suitePath, window, updater, stillWaiting);
    return verdict.Answer == NoUpdateDue ? NoUpdateDue : CheckFailed;
}
