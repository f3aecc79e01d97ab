// The main job: runs the gate under Wine against the simulated suite through one scenario and prints
// what happened step by step. `MivoraScenario --list` names the scenarios.
#include "tools/scenario/harness.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Before { Nothing, MainWindowOpen, GateRunning };

struct Scenario {
    const char* Name;
    const char* Description;
    scenario::SuiteSetup Setup;
    const char* Argument = "\"  install  \"";
    Before Prepare = Before::Nothing;
};

scenario::SuiteSetup Setup(const char* library, const char* verdict) {
    scenario::SuiteSetup setup;
    setup.CheckLibrary = library;
    setup.Verdict = verdict;
    return setup;
}

std::vector<Scenario> Scenarios() {
    std::vector<Scenario> list = {
        {"update-warning", "an update is due; the updater reports 1103: warning, then the main program",
         Setup("210", "1103")},
        {"update-success", "the updater reports 1101: the main program starts without a word",
         Setup("210", "1101")},
        {"connection-lost", "the updater reports 1006: warning, then the main program", Setup("210", "1006")},
        {"unregistered", "the updater reports 1007: warning, nothing starts", Setup("210", "1007")},
        {"update-failed", "the updater reports 1102: warning, nothing starts", Setup("210", "1102")},
        {"unknown-then-failed", "the updater reports 1000 (ignored), then 1102", Setup("210", "1000,1102")},
        {"payload", "the updater reports 1101 with a text payload", Setup("210", "payload:1101")},
        {"updater-vanishes", "the updater ends without a verdict: taken as 1103", Setup("210", "exit")},
        {"no-update", "the library answers -204: the main program starts at once", Setup("-204", "")},
        {"other-answer", "the library answers 0: the main program starts at once", Setup("0", "")},
        {"library-fault", "the library's call faults: warning, then the main program", Setup("call-av", "")},
        {"first-run", "no installed version: the updater runs without asking the library",
         Setup("-204", "1101")},
        {"library-missing", "no version-check library: warning, then the main program", Setup("210", "")},
        {"updater-missing", "an update is due but the updater is missing: warning, then the main program",
         Setup("210", "")},
        {"windows-98", "the gate refuses Windows 98", Setup("210", "1101")},
        {"windows-7", "the gate refuses Windows 7", Setup("210", "1101")},
        {"suite-running", "the suite's main window is open: it is told of the start", Setup("210", "1101"),
         "\"  install  \"", Before::MainWindowOpen},
        {"gate-running", "another gate is running: the argument is left in a global atom",
         Setup("210", "wait"), "SecondStart", Before::GateRunning},
    };
    for (Scenario& s : list) {
        const std::string name = s.Name;
        if (name == "first-run")
            s.Setup.Version.clear();
        if (name == "library-missing")
            s.Setup.Library = false;
        if (name == "updater-missing")
            s.Setup.Updater = false;
        if (name == "windows-98")
            s.Setup.WindowsVersion = "win98";
        if (name == "windows-7")
            s.Setup.WindowsVersion = "win7";
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
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            joined += (joined.empty() ? "" : ", ") + line;
        start = end + 1;
    }
    return joined.empty() ? "(none)" : joined;
}

int Run(const Scenario& s) {
    std::printf("scenario   %s: %s\n", s.Name, s.Description);
    scenario::InstallSuite(s.Setup);
    std::printf("installed  %sMivora.exe, Path \"%s\", ver \"%s\"%s%s%s\n", scenario::SuiteDirectory,
                s.Setup.Path.c_str(), s.Setup.Version.c_str(), s.Setup.Library ? "" : ", no ZM_CheckVer.dll",
                s.Setup.Updater ? "" : ", no ZM_LiveUpdate.exe",
                s.Setup.WindowsVersion.empty() ? "" : (", Windows " + s.Setup.WindowsVersion).c_str());

    scenario::Started before;
    if (s.Prepare == Before::MainWindowOpen) {
        ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", "");
        before = scenario::StartBuiltProgram("suite\\MivoraMain.exe", "");
        ::Sleep(1500);
        ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", s.Setup.MainOptions.c_str());
    } else if (s.Prepare == Before::GateRunning) {
        before = scenario::StartGate("FirstStart");
        ::Sleep(2500);
    }

    std::printf("start      \"%sMivora.exe\" %s\n", scenario::SuiteDirectory, s.Argument);
    const scenario::GateOutcome outcome = scenario::RunGate(s.Argument, s.Name, 60000);
    for (std::size_t i = 0; i < outcome.Screenshots.size(); ++i)
        std::printf("dialog %u   shown (screenshot %s), answered with Enter\n", static_cast<unsigned>(i + 1),
                    ShownPath(outcome.Screenshots[i]).c_str());
    const std::string updaterLine = scenario::Recorded("ZM_LiveUpdate.cmdline");
    const std::string mainLine = scenario::AwaitRecord("MivoraMain.cmdline", s.Setup.MainProgram ? 2000 : 0);
    const std::string notices = scenario::Recorded("MivoraMain.notices");
    const bool atomLeft = s.Prepare == Before::GateRunning && ::GlobalFindAtomA(s.Argument) != 0;
    const int road = atomLeft ? 1 : notices.find("dwData=2028") != std::string::npos ? 2 : 4;
    std::printf("road       %d\n", road);
    if (road == 1)
        std::printf("atom       \"%s\" left in the global atom table\n", s.Argument);
    if (road == 2)
        std::printf("notice     %s\n", Lines(notices).c_str());
    if (road == 4) {
        std::printf("library    %s\n", Lines(scenario::Recorded("checkver.log")).c_str());
        std::printf("check      %s\n", !updaterLine.empty() ? "0: the updater was started"
                                       : !mainLine.empty()
                                           ? "negative: no update run, the main program started at once"
                                           : "none: the gate ended before the update check");
        std::printf("updater    %s\n", Lines(updaterLine).c_str());
        std::printf("verdict    %s\n", Lines(scenario::Recorded("ZM_LiveUpdate.sent")).c_str());
        std::printf("main       %s\n", Lines(mainLine).c_str());
    }
    std::printf("dialogs    %d\n", outcome.Dialogs);
    std::printf("gate       %s\n",
                outcome.Ended ? "ended" : "still running after a minute: ended from outside");
    scenario::Kill(before);
    return outcome.Ended ? 0 : 1;
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
    // A gate that had to be ended from outside fails the run.
    int status = 0;
    for (const Scenario& s : scenarios)
        if (wanted == s.Name || wanted == "all") {
            status |= Run(s);
            if (wanted != "all")
                return status;
            std::printf("\n");
        }
    if (wanted == "all")
        return status;
    std::fprintf(stderr, "unknown scenario %s (try --list)\n", wanted.c_str());
    return 2;
}
