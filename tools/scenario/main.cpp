// The main job: runs the gate under Wine against the simulated suite through one scenario, prints what
// happened step by step and compares each step with what the scenario says must happen. Any difference,
// or a gate that had to be ended from outside, fails the run. `MivoraScenario --list` names the scenarios.
#include "platform/win32/unique_resource.h"
#include "tools/scenario/gate_output.h"
#include "tools/scenario/gate_said.h"
#include "tools/scenario/harness.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Before { Nothing, MainWindowOpen, SplashOpen, GateRunning };

constexpr char None[] = "(none)";
constexpr char Asked[] = "attach, call s:ZM_000001 0 s:C:\\Program%20Files\\ 0, detach";
constexpr char UpdaterLine[] = "C:\\Program Files\\Zelvano Mivora\\ZM_LiveUpdate.exe "
                               "<ZM_000001><0><C:\\Program Files\\><0><update window>";
constexpr char MainLine[] = "C:\\Program Files\\Zelvano Mivora\\MivoraMain.exe INSTALL";
constexpr char UpdaterStarted[] = "0: the updater was started";
constexpr char NoUpdateRun[] = "negative: no update run";
constexpr char NotReached[] = "none: the gate ended before the update check";
constexpr char LiveUpdateKey[] = "Software\\QUENTAR\\ZelvanoManager\\LiveUpdate";

// What must happen, in the order the report shows it.
struct Expected {
    int Road = 4;
    const char* Library = Asked;
    const char* Check = UpdaterStarted;
    const char* Updater = UpdaterLine;
    const char* Verdict = None;
    const char* Main = MainLine;
    int Dialogs = 0;
    const char* Atom = None;   // road 1
    const char* Notice = None; // road 2
};

struct Scenario {
    const char* Name;
    const char* Description;
    scenario::SuiteSetup Setup;
    Expected Must;
    const char* Argument = "\"  install  \"";
    Before Prepare = Before::Nothing;
};

scenario::SuiteSetup Setup(const char* library, const char* verdict) {
    scenario::SuiteSetup setup;
    setup.CheckLibrary = library;
    setup.Verdict = verdict;
    return setup;
}

// An update run with the updater's verdict `sent`.
Expected Updated(const char* sent, int dialogs, bool mainStarts) {
    Expected e;
    e.Verdict = sent;
    e.Dialogs = dialogs;
    e.Main = mainStarts ? MainLine : None;
    return e;
}

// No update run: the main program starts at once.
Expected NotUpdated(const char* library, int dialogs) {
    Expected e;
    e.Library = library;
    e.Check = NoUpdateRun;
    e.Updater = None;
    e.Dialogs = dialogs;
    return e;
}

// The gate stands aside or refuses before the update check.
Expected Aside(int road, int dialogs) {
    Expected e;
    e.Road = road;
    e.Library = None;
    e.Check = NotReached;
    e.Updater = None;
    e.Main = None;
    e.Dialogs = dialogs;
    return e;
}

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> list = {
        {"update-warning", "an update is due; the updater reports 1103: warning, then the main program",
         Setup("210", "1103"), Updated("1103", 1, true)},
        {"update-success", "the updater reports 1101: the main program starts without a word",
         Setup("210", "1101"), Updated("1101", 0, true)},
        {"connection-lost", "the updater reports 1006: warning, then the main program", Setup("210", "1006"),
         Updated("1006", 1, true)},
        {"unregistered", "the updater reports 1007: warning, nothing starts", Setup("210", "1007"),
         Updated("1007", 1, false)},
        {"update-failed", "the updater reports 1102: warning, nothing starts", Setup("210", "1102"),
         Updated("1102", 1, false)},
        {"unknown-then-failed", "the updater reports 1000 (ignored), then 1102", Setup("210", "1000,1102"),
         Updated("1000, 1102", 1, false)},
        {"payload", "the updater reports 1101 with a text payload", Setup("210", "payload:1101"),
         Updated("1101", 0, true)},
        {"updater-vanishes", "the updater ends without a verdict: taken as 1103", Setup("210", "exit"),
         Updated(None, 1, true)},
        {"no-update", "the library answers -204: the main program starts at once", Setup("-204", ""),
         NotUpdated(Asked, 0)},
        {"other-answer", "the library answers 0: the main program starts at once", Setup("0", ""),
         NotUpdated(Asked, 0)},
        {"library-fault", "the library's call faults: warning, then the main program", Setup("call-av", ""),
         NotUpdated(Asked, 1)},
        // Wine's loader catches a fault in a library's detach itself, so the release succeeds.
        {"release-fault", "the library faults as it is released: the loader survives it, the update runs",
         Setup("210,detach-av", "1101"), Updated("1101", 0, true)},
        {"first-run", "no installed version: the updater runs without asking the library",
         Setup("-204", "1101"), Updated("1101", 0, true)},
        {"library-missing", "no version-check library: warning, then the main program", Setup("210", ""),
         NotUpdated(None, 1)},
        {"updater-missing", "an update is due but the updater is missing: warning, then the main program",
         Setup("210", ""), NotUpdated(Asked, 1)},
        {"main-missing", "no update due and no main program: the gate ends quietly, nothing starts",
         Setup("-204", ""), NotUpdated(Asked, 0)},
        {"windows-98", "the gate refuses Windows 98", Setup("210", "1101"), Aside(4, 1)},
        {"windows-7", "the gate refuses Windows 7", Setup("210", "1101"), Aside(4, 1)},
        // Wine's loader catches a fault in a library's start-up code itself, detaches it and fails the load.
        {"library-load-fault", "the library faults as it loads: warning, then the main program",
         Setup("210,attach-av", ""), NotUpdated("attach, detach", 1)},
        {"splash-open", "the suite's splash window is open: the gate stands aside", Setup("210", "1101"),
         Aside(3, 0), "\"  install  \"", Before::SplashOpen},
        {"suite-running", "the suite's main window is open: it is told of the start", Setup("210", "1101"),
         Aside(2, 0), "\"  install  \"", Before::MainWindowOpen},
        {"gate-running", "another gate is running: the argument is left in a global atom",
         Setup("210", "wait"), Aside(1, 0), "SecondStart", Before::GateRunning},
    };
    for (Scenario& s : list) {
        const std::string name = s.Name;
        if (name == "first-run") {
            s.Setup.Version.clear();
            s.Must.Library = None;
        }
        if (name == "library-missing")
            s.Setup.Library = false;
        if (name == "updater-missing")
            s.Setup.Updater = false;
        if (name == "main-missing") {
            s.Setup.MainProgram = false;
            s.Must.Main = None;
        }
        if (name == "windows-98")
            s.Setup.WindowsVersion = "win98";
        if (name == "windows-7")
            s.Setup.WindowsVersion = "win7";
        if (name == "suite-running")
            s.Must.Notice = "dwData=2028 cbData=0 lpData=null senderPid=the gate";
        if (name == "gate-running")
            s.Must.Atom = "\"SecondStart\" left in the global atom table";
    }
    return list;
}

// Where the screenshot ends up for the user: the rig turns each BMP into a PNG beside it.
std::string ShownPath(std::string path) {
    if (path.rfind("Z:", 0) == 0)
        path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".bmp") == 0)
        path.replace(path.size() - 4, 4, ".png");
    return path;
}

// A record's lines, joined for one line of the report.
std::string Lines(const std::string& text) {
    std::string joined;
    for (const std::string& line : scenario::RecordLines(text))
        joined += (joined.empty() ? "" : ", ") + line;
    return joined.empty() ? None : joined;
}

// `text` with the first `from` after `after` replaced by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (!from.empty() && at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The updater's last field is the update window's handle, different each run.
std::string WithoutHandle(const std::string& line) {
    const auto open = line.rfind('<');
    if (open == std::string::npos || line.back() != '>' || open + 2 >= line.size())
        return line;
    const std::string digits = line.substr(open + 1, line.size() - open - 2);
    if (digits.find_first_not_of("0123456789") != std::string::npos)
        return line;
    return line.substr(0, open) + "<update window>";
}

// The order in which the library's events and the starts of the updater and the main program must come.
std::string Order(const Expected& e) {
    std::string order;
    auto add = [&](const char* event) { order += (order.empty() ? "" : ", ") + std::string(event); };
    if (std::strcmp(e.Library, None) != 0)
        add(std::strcmp(e.Library, Asked) == 0 ? "attach, call, detach" : e.Library);
    if (std::strcmp(e.Updater, None) != 0)
        add("updater");
    if (std::strcmp(e.Main, None) != 0)
        add("main program");
    return order.empty() ? None : order;
}

constexpr char Agrees[] = "agrees with what the suite recorded";

// The gate's lines against the driver's own view of the run.
std::string Said(const std::vector<std::string>& lines, const scenario::SeenRun& seen) {
    const std::string disagreements = scenario::Disagreements(lines, seen);
    return disagreements.empty() ? Agrees : disagreements;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const platform::UniqueKey opened(key);
    return true;
}

// Prints one step of the report, and what was expected of it when that differs.
class Report {
public:
    void Step(const char* label, const std::string& actual, const std::string& expected) {
        std::printf("%-10s %s\n", label, actual.c_str());
        if (actual != expected) {
            std::printf("%-10s ^ differs; expected: %s\n", "", expected.c_str());
            differs_ = true;
        }
    }
    bool Differs() const { return differs_; }

private:
    bool differs_ = false;
};

// Brings up what the scenario needs running before the gate starts, and returns it.
scenario::Started Prepare(const Scenario& s) {
    scenario::Started before;
    if (s.Prepare == Before::MainWindowOpen || s.Prepare == Before::SplashOpen) {
        ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", s.Prepare == Before::SplashOpen ? "nomain,splash" : "");
        before = scenario::StartBuiltProgram("suite\\MivoraMain.exe", "");
        scenario::WaitForWindow(
            before.ProcessId,
            s.Prepare == Before::SplashOpen ? L"Zelvano Mivora - Splash" : L"Zelvano Mivora", 20000);
        ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", s.Setup.MainOptions.c_str());
    } else if (s.Prepare == Before::GateRunning) {
        before = scenario::StartGate("FirstStart");
        scenario::AwaitRecord("ZM_LiveUpdate.cmdline", 20000); // it waits for its updater's verdict
    }
    // What the earlier start did is not this run's doing.
    scenario::ClearRecords();
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, LiveUpdateKey);
    return before;
}

bool Run(const Scenario& s) {
    std::printf("scenario   %s: %s\n", s.Name, s.Description);
    scenario::InstallSuite(s.Setup);
    std::printf("installed  %sMivora.exe, Path \"%s\", ver \"%s\"%s%s%s%s\n", scenario::SuiteDirectory,
                s.Setup.Path.c_str(), s.Setup.Version.c_str(), s.Setup.Library ? "" : ", no ZM_CheckVer.dll",
                s.Setup.Updater ? "" : ", no ZM_LiveUpdate.exe",
                s.Setup.MainProgram ? "" : ", no MivoraMain.exe",
                s.Setup.WindowsVersion.empty() ? "" : (", Windows " + s.Setup.WindowsVersion).c_str());
    scenario::DeleteGlobalAtom(s.Argument);
    scenario::Started before = Prepare(s);

    std::printf("start      \"%sMivora.exe\" %s\n", scenario::SuiteDirectory, s.Argument);
    scenario::DebuggedGate gate(s.Argument);
    const scenario::GateOutcome outcome = scenario::AnswerDialogs(gate.Program(), s.Name, 60000);
    const std::vector<std::string> said = gate.Lines();
    scenario::Kill(before);
    scenario::EndSuitePrograms(); // also what the earlier start left, so every record is final
    for (std::size_t i = 0; i < outcome.Screenshots.size(); ++i)
        std::printf("dialog %u   shown (screenshot %s), answered with Enter\n", static_cast<unsigned>(i + 1),
                    ShownPath(outcome.Screenshots[i]).c_str());

    const std::string updaterLine = scenario::Recorded("ZM_LiveUpdate.cmdline");
    const std::string notices = scenario::Recorded("MivoraMain.notices");
    const bool atomLeft = ::GlobalFindAtomA(s.Argument) != 0;
    scenario::DeleteGlobalAtom(s.Argument);
    // Road 3 leaves nothing behind: no atom, no notice, no switch key and no dialog.
    const int road = atomLeft                                          ? 1
                     : !notices.empty()                                ? 2
                     : KeyExists(LiveUpdateKey) || outcome.Dialogs > 0 ? 4
                                                                       : 3;

    Report report;
    report.Step("road", std::to_string(road), std::to_string(s.Must.Road));
    report.Step("atom", atomLeft ? "\"" + std::string(s.Argument) + "\" left in the global atom table" : None,
                s.Must.Atom);
    report.Step(
        "notice",
        Replaced(Lines(notices), "senderPid=" + std::to_string(outcome.ProcessId), "senderPid=the gate"),
        s.Must.Notice);
    report.Step("library", Lines(scenario::Recorded("checkver.log")), s.Must.Library);
    report.Step("order", Lines(scenario::Recorded("events")), Order(s.Must));
    report.Step("check",
                !KeyExists(LiveUpdateKey) ? NotReached
                : !updaterLine.empty()    ? UpdaterStarted
                                          : NoUpdateRun,
                s.Must.Check);
    report.Step("updater", WithoutHandle(Lines(updaterLine)), s.Must.Updater);
    report.Step("verdict", Lines(scenario::Recorded("ZM_LiveUpdate.sent")), s.Must.Verdict);
    report.Step("main", Lines(scenario::Recorded("MivoraMain.cmdline")), s.Must.Main);
    report.Step("dialogs", std::to_string(outcome.Dialogs), std::to_string(s.Must.Dialogs));
    const scenario::SeenRun seen{road,
                                 scenario::Recorded("checkver.log"),
                                 updaterLine,
                                 scenario::Recorded("ZM_LiveUpdate.sent"),
                                 scenario::Recorded("MivoraMain.cmdline"),
                                 outcome.Dialogs};
    report.Step("said", Said(said, seen), Agrees);
    report.Step("gate",
                outcome.Ended          ? "ended"
                : outcome.DialogStayed ? "a dialog stayed open after its Enter: ended from outside"
                                       : "still running after a minute: ended from outside",
                "ended");
    if (!outcome.StateWhenEnded.empty()) {
        std::printf("what the gate was doing when it was ended from outside:\n");
        if (gate.StartError() != 0)
            std::printf("           it could not be started: error %lu\n", gate.StartError());
        for (const std::string& line : outcome.StateWhenEnded)
            std::printf("           %s\n", line.c_str());
    }
    std::printf("what the gate said%s:\n", outcome.Ended ? "" : " until it was ended");
    for (const std::string& line : said)
        std::printf("           %s\n", line.c_str());
    return !report.Differs();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Scenario> scenarios = Scenarios();
    const std::string wanted = argc > 1 ? argv[1] : "update-warning";
    if (wanted == "--list") {
        for (const Scenario& s : scenarios)
            std::printf("%-20s %s\n", s.Name, s.Description);
        return 0;
    }
    int ran = 0;
    std::vector<std::string> failed;
    for (const Scenario& s : scenarios)
        if (wanted == s.Name || wanted == "all") {
            if (ran++ > 0)
                std::printf("\n");
            if (!Run(s))
                failed.push_back(s.Name);
        }
    if (ran == 0) {
        std::fprintf(stderr, "unknown scenario %s (try --list)\n", wanted.c_str());
        return 2;
    }
    if (ran > 1) {
        std::printf("\n%d scenarios: %d as expected%s", ran, ran - static_cast<int>(failed.size()),
                    failed.empty() ? "\n" : "; differs:");
        for (const std::string& name : failed)
            std::printf(" %s", name.c_str());
        std::printf(failed.empty() ? "" : "\n");
    }
    return failed.empty() ? 0 : 1;
}
