#include "update/uLiveUpdate.h"

#include "platform/debug_output.h"
#include "platform/os_version.h"
#include "ui/framework/application.h"
#include "ui/message/message_type.h"
#include "update/check_library.h"
#include "update/check_live_update.h"
#include "update/gate_message.h"
#include "update/module_path.h"
#include "update/module_table.h"
#include "update/updater_verdict.h"

#include <functional>
#include <utility>

TfrmLiveUpdate* frmLiveUpdate = nullptr;

namespace {

// How often the waiting window looks whether the updater is still running.
constexpr UINT_PTR kUpdaterWatchTimer = 1;
constexpr UINT kUpdaterWatchIntervalMs = 500;

// What a notification decides, for the debug output.
const char* DecisionOn(const std::optional<VerdictResponse>& response, bool decided) {
    if (!response)
        return "not a verdict: still waiting";
    if (decided)
        return "came after the decision: ignored";
    return response->StartsMainProgram ? "the main program starts" : "nothing starts";
}

} // namespace

TfrmLiveUpdate::TfrmLiveUpdate(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", std::function<void(TObject*)>([this](TObject* s) { FormCreate(s); }));
    PublishMethod("FormClose", std::function<void(TObject*, TCloseAction&)>(
                                   [this](TObject* s, TCloseAction& a) { FormClose(s, a); }));
    ReadDesign("TFRMLIVEUPDATE");
}

TfrmLiveUpdate::~TfrmLiveUpdate() {
    StopWatchingUpdater();
}

// No C++ code calls this: the design binds OnCreate to "FormCreate", which the constructor publishes, so
// the whole update run starts inside Application->CreateForm.
void TfrmLiveUpdate::FormCreate(TObject*) {
    SetLeft(-1000);
    SetTop(-1000);
    // Never shown, not even out there: a second screen may lie above or left of the first, and showing
    // would activate it. Its notices come all the same.
    Application->ShowMainForm = false;

    const auto versionClass = GetOsVersionClass();
    platform::DebugLine("Windows version class ", static_cast<int>(versionClass),
                        IsSupportedOsVersion(versionClass) ? ": accepted" : ": refused");
    if (!IsSupportedOsVersion(versionClass)) {
        Decide(); // the refusal decides: no notification starts the main program after it
        // A dialog that cannot be shown is reported in the error box instead, so the window still goes on
        // to close and never stays behind out of sight holding the instance mutex.
        ShowingErrors([] {
            ShowGateMessage("os_refused", mtWarning, "Mivora 를 실행할 수 없는 운영체제입니다.",
                            "Windows XP 와 Windows 2000 에서만 실행이 가능합니다.");
        });
        Close();
        return;
    }

    StartArgument = StartArgumentFrom(::GetCommandLineA(), platform::IsSystemLeadByte);
    const HWND window = Handle();
    std::int32_t result = CheckFailed;
    // No updater runs after a registry error, so no verdict will come: report it and go on.
    ShowingErrors([&] {
        result = CheckLiveUpdate(std::string(ModuleIds[MivoraModule]),
                                 static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)), updater_,
                                 [this] { return !decided_; });
        platform::DebugLine("update check result ", result);
    });
    if (keptVerdict_) {
        platform::DebugLine("notification ", *keptVerdict_,
                            ": carried out now that the library's call returned");
        CarryOut(*keptVerdict_);
    } else if (result != UpdaterStarted) {
        if (Decide())
            StartMainProgram();
    } else if (!decided_) {
        WatchUpdater();
    }
}

void TfrmLiveUpdate::FormClose(TObject*, TCloseAction&) {
    closeRequested_ = true;
    Application->Terminate();
}

LRESULT TfrmLiveUpdate::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA:
        // Any program may send this message; one without its record carries no verdict.
        if (lParam != 0)
            WMCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kUpdaterWatchTimer) {
            // An updater that ended without a verdict is taken as an unfinished update.
            if (watchingUpdater_ && updater_.HasEnded()) {
                platform::DebugLine("the updater and what it started ended without a verdict: taken as ",
                                    VerdictWhenUpdaterVanishes);
                RespondToVerdict(VerdictWhenUpdaterVanishes);
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return TForm::WndProc(message, wParam, lParam);
}

void TfrmLiveUpdate::WMCopyData(const COPYDATASTRUCT& data) {
    RespondToVerdict(static_cast<std::int32_t>(data.dwData));
}

void TfrmLiveUpdate::RespondToVerdict(std::int32_t code) {
    const auto response = ResponseToVerdict(code);
    // The library's own message loop brought it: a dialog shown now would run inside the library's frames,
    // under its fault guard. It decides now and is carried out once the call has returned.
    if (response && !decided_ && IsCheckLibraryCallRunning()) {
        platform::DebugLine("notification ", code, ": kept until the library's call returns");
        keptVerdict_ = code;
        Decide();
        return;
    }
    platform::DebugLine("notification ", code, ": ", DecisionOn(response, decided_));
    if (response && Decide())
        CarryOut(code);
}

void TfrmLiveUpdate::CarryOut(std::int32_t code) {
    const VerdictResponse response = ResponseToVerdict(code).value_or(VerdictResponse{});
    StopWatchingUpdater();
    if (response.DialogType != 0)
        ShowingErrors([&] {
            ShowGateMessage("verdict_" + std::to_string(code), response.DialogType, response.MainText,
                            response.SubText);
        });
    if (response.StartsMainProgram)
        StartMainProgram();
    else
        Close();
}

// The first decision wins. The creation handler's dialogs and the library's own message loops dispatch
// notifications before it has decided, and a verdict's dialog dispatches further ones: the main program
// is never started twice, and a verdict not to start it stays.
bool TfrmLiveUpdate::Decide() {
    return !std::exchange(decided_, true);
}

void TfrmLiveUpdate::WatchUpdater() {
    watchingUpdater_ = ::SetTimer(Handle(), kUpdaterWatchTimer, kUpdaterWatchIntervalMs, nullptr) != 0;
}

void TfrmLiveUpdate::StopWatchingUpdater() {
    if (watchingUpdater_)
        ::KillTimer(Handle(), kUpdaterWatchTimer);
    watchingUpdater_ = false;
}

void TfrmLiveUpdate::StartMainProgram() {
    ShowingErrors([&] {
        // A gate closed meanwhile (while a dialog showed, say) starts nothing more.
        if (closeRequested_) {
            platform::DebugLine("the main program is not started: the gate was closed");
            return;
        }
        const std::string directory = SuiteFilesFolder();
        platform::StartProgram(directory + "MivoraMain.exe",
                               MainProgramCommandLine(directory, StartArgument));
    });
    // Closing ends the program whatever became of the start.
    Close();
}
