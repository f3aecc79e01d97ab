#include "update/uLiveUpdate.h"

#include "platform/os_version.h"
#include "ui/framework/application.h"
#include "ui/message/uMessage.h"
#include "update/check_live_update.h"
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

// Shows a message; a dialog that cannot be shown is reported in the error box instead, so the window
// still goes on to close and never stays behind out of sight holding the instance mutex.
void ShowWarning(int type, const char* mainText, const char* subText) {
    ShowingErrors([&] { ShowMessageDialog(type, mainText, subText, mbOk, nullptr); });
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

void TfrmLiveUpdate::FormCreate(TObject*) {
    SetLeft(-1000);
    SetTop(-1000);

    if (!IsSupportedOsVersion(GetOsVersionClass())) {
        Decide(); // the refusal decides: no notification starts the main program after it
        ShowWarning(mtWarning, "Mivora 를 실행할 수 없는 운영체제입니다.",
                    "Windows XP 와 Windows 2000 에서만 실행이 가능합니다.");
        Close();
        return;
    }

    StartArgument = StartArgumentFrom(::GetCommandLineA());
    const HWND window = Handle();
    std::int32_t result = CheckFailed;
    // No updater runs after a registry error, so no verdict will come: report it and go on.
    ShowingErrors([&] {
        result = CheckLiveUpdate(std::string(ModuleIds[MivoraModule]),
                                 static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)), updater_,
                                 [this] { return !decided_; });
    });
    if (result != UpdaterStarted) {
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
            if (watchingUpdater_ && updater_.HasEnded())
                RespondToVerdict(VerdictWhenUpdaterVanishes);
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
    if (!response || !Decide())
        return;
    StopWatchingUpdater();
    if (response->DialogType != 0)
        ShowWarning(response->DialogType, response->MainText, response->SubText);
    if (response->StartsMainProgram)
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
        if (closeRequested_)
            return;
        const std::string directory = ReadModulePath(ModuleNames[MivoraModule]);
        platform::StartProgram(directory.empty() ? std::string() : directory + "MivoraMain.exe",
                               MainProgramCommandLine(directory, StartArgument));
    });
    // Closing ends the program whatever became of the start.
    Close();
}
