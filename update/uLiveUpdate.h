#pragma once

#include "platform/process.h"
#include "ui/framework/form.h"

#include <cstdint>
#include <optional>
#include <string>

// The update window: never seen, it refuses unsupported Windows, runs the update check, waits for the
// updater's verdict and starts the suite's main program. Closing it ends the program.
class TfrmLiveUpdate : public TForm {
public:
    explicit TfrmLiveUpdate(TComponent* owner);
    ~TfrmLiveUpdate() override;

    static constexpr TClassInfo kClassInfo{"TfrmLiveUpdate", &TForm::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // The first command-line argument, trimmed and upper-cased, passed on to the main program.
    std::string StartArgument;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void WMCopyData(const COPYDATASTRUCT& data);
    void RespondToVerdict(std::int32_t code);
    void CarryOut(std::int32_t verdict);
    void WatchUpdater();
    void StopWatchingUpdater();
    void StartMainProgram();
    bool Decide();

    platform::Process updater_;
    bool watchingUpdater_ = false;
    // Whether the main program is started has been decided (by the creation handler or a verdict).
    bool decided_ = false;
    // A verdict that came during the check library's call, carried out once the call has returned.
    std::optional<std::int32_t> keptVerdict_;
    bool closeRequested_ = false;
};

extern TfrmLiveUpdate* frmLiveUpdate;
