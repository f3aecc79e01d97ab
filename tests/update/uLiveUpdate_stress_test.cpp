// The update window under a storm of updater notifications: a thousand of seven kinds in a random
// order, each sent to a gate that waits for its verdict. The window and its dialogs are the real ones and
// the suite is installed in the registry and on disk; only program starts are recorded instead of made.
#include "update/uLiveUpdate.h"

#include "platform/win32/os_version_probe.h"
#include "tests/fakes/fake_process.h"
#include "tests/support/dialog_keys.h"
#include "tests/support/timer_ticks.h"
#include "tools/scenario/harness.h"
#include "ui/framework/application.h"
#include "ui/framework/image.h"
#include "ui/framework/label.h"
#include "ui/message/message_form.h"
#include "ui/message/uMessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr char MainProgram[] = "C:\\Program Files\\Zelvano Mivora\\MivoraMain.exe";
constexpr char Updater[] = "C:\\Program Files\\Zelvano Mivora\\ZM_LiveUpdate.exe";
constexpr unsigned DefaultSeed = 20240607;
constexpr int Notifications = 1000;

// What each verdict must do: its dialog's title word and texts (no title word: no dialog), and whether
// the main program starts.
struct Verdict {
    std::int32_t Code;
    const char* TitleWord;
    const char* MainText;
    const char* SubText;
    bool StartsMainProgram;
};
const Verdict Verdicts[] = {
    {1006, "주의", "라이브 업데이트 작업중 서버와의 연결이 종료되었습니다.",
     "프로그램이 정상작동하지 않을 수 있습니다.", true},
    {1007, "경고", "등록되지않은 프로그램이 연결되었습니다.", "프로그램을 실행할 수 없습니다.", false},
    {1101, nullptr, "", "", true},
    {1102, "경고", "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.", "프로그램을 실행할 수 없습니다.",
     false},
    {1103, "주의", "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.",
     "프로그램이 정상작동하지 않을 수 있습니다.", true},
};
constexpr int UnknownCode = 5;
constexpr int NoRecord = 6;
constexpr int Kinds = 7;
const char* const KindNames[Kinds] = {"1006", "1007", "1101", "1102", "1103", "unknown code", "no record"};

// One notification: a verdict, a code that is none, or a notice without its record. Codes come with or
// without a text payload, which must change nothing.
struct Notification {
    int Number = 0;
    int Kind = 0;
    std::int32_t Code = 0;
    bool Payload = false;

    const Verdict* AsVerdict() const { return Kind < UnknownCode ? &Verdicts[Kind] : nullptr; }
    std::string Describe() const {
        std::string text = "notification " + std::to_string(Number) + " (" + KindNames[Kind];
        if (Kind == UnknownCode)
            text += " " + std::to_string(Code);
        return text + (Payload ? ", with payload)" : ")");
    }
};

LRESULT Send(HWND window, const Notification& notification) {
    static char payload[] = "payload text from the updater";
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(notification.Code));
    if (notification.Payload) {
        data.cbData = sizeof(payload);
        data.lpData = payload;
    }
    const LPARAM record = notification.Kind == NoRecord ? 0 : reinterpret_cast<LPARAM>(&data);
    return ::SendMessageA(window, WM_COPYDATA, 0, record);
}

// Whether the window asked the application to end (its close handler's request); takes the request.
bool TakeQuitRequest() {
    MSG quit;
    return ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

bool QuitRequested() {
    MSG quit;
    return ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// A dialog as it was up.
struct ShownDialog {
    std::string TitleWord;
    std::string MainText;
    std::string SubText;
    bool CancelShown = false;
    bool HasOwner = false;
    bool HasIcon = false;
    std::size_t StartsBefore = 0; // programs started before the dialog came
};

class Storm {
public:
    // Ticks come only inside a dialog's loop: nothing else handles messages between notifications.
    explicit Storm(unsigned seed) : random_(seed), ticks_(USER_TIMER_MINIMUM, [this] { Tick(); }) {}

    void Run() {
        while (sent_ < Notifications && !::testing::Test::HasFailure()) {
            const HWND window = OpenGate();
            while (window != nullptr && sent_ < Notifications) {
                const Notification notification = Next();
                if (!SendAndCheck(window, notification) || notification.AsVerdict() != nullptr)
                    break;
            }
            CloseGate();
        }
    }

    void Report() const {
        std::cout << sent_ << " notifications to " << gates_ << " gates, " << duringDialogs_
                  << " of them while a verdict's dialog was up; by kind:";
        for (int kind = 0; kind < Kinds; ++kind)
            std::cout << ' ' << KindNames[kind] << ' ' << byKind_[kind] << ',';
        std::cout << " with payload " << withPayload_ << '\n';
    }
    int DuringDialogs() const { return duringDialogs_; }
    int ByKind(int kind) const { return byKind_[kind]; }

private:
    Notification Next() {
        Notification notification;
        notification.Number = ++sent_;
        notification.Kind = std::uniform_int_distribution<int>(0, Kinds - 1)(random_);
        notification.Payload = notification.Kind != NoRecord && std::bernoulli_distribution(0.5)(random_);
        if (notification.AsVerdict() != nullptr) {
            notification.Code = notification.AsVerdict()->Code;
        } else if (notification.Kind == UnknownCode) {
            // Neighbours of the verdicts and of the hand-off, or any other number.
            const std::int32_t neighbours[] = {0, -1, 1000, 1005, 1008, 1100, 1104, 2028};
            notification.Code = std::bernoulli_distribution(0.5)(random_)
                                    ? neighbours[std::uniform_int_distribution<int>(0, 7)(random_)]
                                    : static_cast<std::int32_t>(random_());
            const auto isVerdict = [&](const Verdict& v) { return v.Code == notification.Code; };
            if (std::any_of(std::begin(Verdicts), std::end(Verdicts), isVerdict))
                notification.Code = 1000;
        }
        ++byKind_[notification.Kind];
        withPayload_ += notification.Payload ? 1 : 0;
        return notification;
    }

    // A fresh gate, made as the program makes it, waiting for its verdict; null when it is not waiting.
    HWND OpenGate() {
        fakes::ResetProcesses();
        shown_.clear();
        Application->CreateForm(frmLiveUpdate);
        const HWND window = frmLiveUpdate->Handle();
        ++gates_;
        const auto& started = fakes::Processes().Started;
        EXPECT_TRUE(shown_.empty()) << "gate " << gates_ << " showed a dialog while it was made: "
                                    << (shown_.empty() ? "" : shown_[0].MainText);
        EXPECT_FALSE(QuitRequested()) << "gate " << gates_ << " closed while it was made";
        EXPECT_EQ(started.size(), 1u) << "gate " << gates_ << " started the updater once";
        if (::testing::Test::HasFailure() || started.size() != 1)
            return nullptr;
        const std::string handle = "<" + std::to_string(reinterpret_cast<UINT_PTR>(window)) + ">";
        EXPECT_EQ(started[0].ApplicationPath, Updater);
        EXPECT_TRUE(started[0].CommandLine.size() > handle.size() &&
                    started[0].CommandLine.compare(started[0].CommandLine.size() - handle.size(),
                                                   handle.size(), handle) == 0)
            << started[0].CommandLine << ": the updater reports to this window";
        // As if the gate had been started with the argument " install ".
        frmLiveUpdate->StartArgument = "INSTALL";
        fakes::ResetProcesses();
        return window;
    }

    void CloseGate() {
        TakeQuitRequest();
        delete frmLiveUpdate;
        frmLiveUpdate = nullptr;
    }

    // Sends one notification to the waiting gate and checks that it had exactly its effect.
    bool SendAndCheck(HWND window, const Notification& notification) {
        shown_.clear();
        answered_.clear();
        fakes::ResetProcesses();
        window_ = window;
        EXPECT_EQ(Send(window, notification), 0) << notification.Describe();
        const auto& started = fakes::Processes().Started;
        const bool closed = TakeQuitRequest();
        const Verdict* verdict = notification.AsVerdict();
        if (verdict == nullptr) {
            EXPECT_TRUE(shown_.empty()) << notification.Describe() << ": no dialog";
            EXPECT_TRUE(started.empty()) << notification.Describe() << ": nothing started";
            EXPECT_FALSE(closed) << notification.Describe() << ": the gate keeps waiting";
            return !::testing::Test::HasFailure();
        }
        if (verdict->TitleWord == nullptr) {
            EXPECT_TRUE(shown_.empty()) << notification.Describe() << ": no dialog";
        } else if (shown_.size() != 1) {
            ADD_FAILURE() << notification.Describe() << ": " << shown_.size() << " dialogs instead of one";
        } else {
            const ShownDialog& dialog = shown_[0];
            EXPECT_EQ(dialog.TitleWord, verdict->TitleWord) << notification.Describe();
            EXPECT_EQ(dialog.MainText, verdict->MainText) << notification.Describe();
            EXPECT_EQ(dialog.SubText, verdict->SubText) << notification.Describe();
            EXPECT_FALSE(dialog.CancelShown) << notification.Describe() << ": OK only";
            EXPECT_FALSE(dialog.HasOwner) << notification.Describe() << ": centred on the screen";
            EXPECT_TRUE(dialog.HasIcon) << notification.Describe();
            EXPECT_EQ(dialog.StartsBefore, 0u) << notification.Describe() << ": the dialog comes first";
        }
        if (verdict->StartsMainProgram) {
            EXPECT_EQ(started.size(), 1u) << notification.Describe() << ": the main program starts once";
            if (started.size() == 1) {
                EXPECT_EQ(started[0].ApplicationPath, MainProgram) << notification.Describe();
                EXPECT_EQ(started[0].CommandLine, std::string(MainProgram) + " INSTALL")
                    << notification.Describe();
            }
        } else {
            EXPECT_TRUE(started.empty()) << notification.Describe() << ": the main program does not start";
        }
        EXPECT_TRUE(closed) << notification.Describe() << ": the window closes";
        return !::testing::Test::HasFailure();
    }

    // A dialog is up: notes it, sends some notifications meanwhile, and answers it with Enter. Any
    // dialog beyond the first of one notification is noted too, and answered, so nothing can hang.
    void Tick() {
        TfMessage* dialog = fMessage;
        if (dialog == nullptr || !::IsWindowVisible(dialog->Handle()))
            return;
        auto& answered = answered_;
        if (std::find(answered.begin(), answered.end(), dialog->Handle()) != answered.end())
            return;
        answered.push_back(dialog->Handle());
        shown_.push_back({dialog->lblTitle->Caption(), dialog->lblMessageMain->Caption(),
                          dialog->lblMessageSub->Caption(), dialog->epBtnCancel->Visible(),
                          dialog->Owner() != nullptr, !dialog->imgInfo->Picture().Empty(),
                          fakes::Processes().Started.size()});
        if (shown_.size() == 1)
            SendWhileDialogIsUp(*dialog);
        PostKeyToDialog(*dialog, VK_RETURN);
    }

    void SendWhileDialogIsUp(TfMessage& dialog) {
        while (sent_ < Notifications && std::bernoulli_distribution(0.4)(random_)) {
            const Notification notification = Next();
            ++duringDialogs_;
            const std::size_t starts = fakes::Processes().Started.size();
            EXPECT_EQ(Send(window_, notification), 0) << notification.Describe() << ", while a dialog was up";
            EXPECT_EQ(fMessage, &dialog) << notification.Describe() << ": the dialog that is up stays";
            EXPECT_EQ(fakes::Processes().Started.size(), starts)
                << notification.Describe() << ", while a dialog was up: nothing started";
            EXPECT_FALSE(QuitRequested()) << notification.Describe() << ", while a dialog was up: not closed";
        }
    }

    std::mt19937 random_;
    HWND window_ = nullptr;
    std::vector<ShownDialog> shown_;
    std::vector<HWND> answered_;
    int sent_ = 0;
    int gates_ = 0;
    int duringDialogs_ = 0;
    int withPayload_ = 0;
    int byKind_[Kinds] = {};
    TimerTicks ticks_;
};

unsigned Seed() {
    const char* chosen = std::getenv("MIVORA_STORM_SEED");
    return chosen != nullptr ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : DefaultSeed;
}

TEST(UpdateWindowStorm, AThousandNotificationsOfSevenKindsEachHaveExactlyTheirEffect) {
    const unsigned seed = Seed();
    std::cout << "seed " << seed << " (MIVORA_STORM_SEED chooses another)\n";
    scenario::SuiteSetup suite;
    suite.CheckLibrary = "210"; // an update run is due: every gate starts the updater and waits
    scenario::InstallSuite(suite);
    // The program's start-up steps that the gate relies on.
    FillOsVersionFacts();
    ProbeKernelVersion();
    InitializeApplication();
    {
        Storm storm(seed);
        storm.Run();
        storm.Report();
        // The order holds enough of each kind, and of notifications while a dialog is up.
        if (!HasFailure()) {
            EXPECT_GE(storm.DuringDialogs(), 100);
            for (int kind = 0; kind < Kinds; ++kind)
                EXPECT_GE(storm.ByKind(kind), 100) << KindNames[kind];
        }
    }
    FinalizeApplication();
}

} // namespace
