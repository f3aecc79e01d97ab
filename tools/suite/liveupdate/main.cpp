// Stand-in for the suite's updater. It records its command line, takes the update window's handle from
// the last <field>, and reports the verdicts listed in MIVORA_SIM_VERDICT (comma-separated):
//   a number      send that code in WM_COPYDATA's data word
//   payload:<n>   send code n with a text payload
//   wait          stay running without reporting, as long as the update window exists
//   exit          end at once without reporting
//   sleep:<ms>    wait that long
//   handover      start a copy of itself that takes the remaining steps, and end at once, as an updater
//                 that must replace its own file does
//   breakaway     the same, the copy started to leave the starter's job (CREATE_BREAKAWAY_FROM_JOB)
// Unset, it reports 1101.
#include "tools/suite/common/record.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

HWND WindowFromLastField(const std::string& commandLine) {
    const auto close = commandLine.rfind('>');
    const auto open = commandLine.rfind('<', close);
    if (close == std::string::npos || open == std::string::npos)
        return nullptr;
    const std::string digits = commandLine.substr(open + 1, close - open - 1);
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(digits.c_str(), nullptr, 10)));
}

void Report(HWND window, long code, const std::string& payload) {
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(code);
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = payload.empty() ? nullptr : const_cast<char*>(payload.data());
    AppendRecord("ZM_LiveUpdate.sent", std::to_string(code) + "\n");
    ::SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// A copy of this program with the same command line, given `steps` to take.
void HandOver(const std::string& commandLine, const std::string& steps, DWORD flags) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    ::SetEnvironmentVariableA("MIVORA_SIM_VERDICT", steps.empty() ? "exit" : steps.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (::CreateProcessA(path, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                         &info)) {
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string commandLine = ::GetCommandLineA();
    AppendRecord("events", "updater\n");
    AppendRecord("ZM_LiveUpdate.cmdline", commandLine + "\n");
    RecordShowMode("ZM_LiveUpdate.show");
    const HWND window = WindowFromLastField(commandLine);

    std::string steps = EnvironmentText("MIVORA_SIM_VERDICT");
    if (steps.empty())
        steps = "1101";
    std::size_t start = 0;
    while (start <= steps.size()) {
        const auto end = steps.find(',', start);
        const std::string step = steps.substr(start, end == std::string::npos ? end : end - start);
        if (step == "wait") {
            while (::IsWindow(window))
                ::Sleep(200);
            return 0;
        }
        if (step == "exit")
            return 0;
        if (step == "handover" || step == "breakaway") {
            HandOver(commandLine, end == std::string::npos ? "" : steps.substr(end + 1),
                     step == "breakaway" ? CREATE_BREAKAWAY_FROM_JOB : 0);
            return 0;
        }
        if (step.rfind("sleep:", 0) == 0)
            ::Sleep(std::strtoul(step.c_str() + 6, nullptr, 10));
        else if (step.rfind("payload:", 0) == 0)
            Report(window, std::strtol(step.c_str() + 8, nullptr, 10), "payload text from the updater");
        else if (!step.empty())
            Report(window, std::strtol(step.c_str(), nullptr, 10), "");
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return 0;
}
