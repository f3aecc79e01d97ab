#include "tools/scenario/processes.h"

#include "platform/text.h"
#include "platform/win32/module_file_path.h"
#include "tools/scenario/install.h"

#include <tlhelp32.h>

#include <utility>

namespace scenario {
namespace {

Started Start(const std::string& application, const std::string& commandLine, bool held = false) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    Started started;
    if (::CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                         held ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &info)) {
        platform::UniqueHandle thread(info.hThread);
        started.Process.reset(info.hProcess);
        started.ProcessId = info.dwProcessId;
        if (held)
            started.HeldThread = std::move(thread);
    }
    return started;
}

} // namespace

// The programs of an earlier run may still be writing their records: each run starts from a clean slate.
void EndSuitePrograms() {
    for (const char* name : {"Mivora.exe", "ZM_LiveUpdate.exe", "MivoraMain.exe"})
        for (Started& program : RunningPrograms(name))
            if (!WaitForExit(program, 3000))
                Kill(program);
}

Started StartGate(const std::string& arguments) {
    return StartInstalled("Mivora.exe", arguments);
}

Started StartInstalled(const std::string& fileName, const std::string& arguments) {
    const std::string program = std::string(SuiteDirectory) + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

Started StartGateHeld(const std::string& arguments) {
    const std::string gate = std::string(SuiteDirectory) + "Mivora.exe";
    return Start(gate, "\"" + gate + "\" " + arguments, true);
}

void Resume(Started& program) {
    if (program.HeldThread)
        ::ResumeThread(program.HeldThread.get());
    program.HeldThread.reset();
}

Started StartBuiltProgram(const std::string& fileName, const std::string& arguments) {
    const std::string program = ModuleDirectory(nullptr) + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

Started StartSystemProgram(const std::string& fileName, const std::string& arguments) {
    char directory[MAX_PATH] = {};
    ::GetSystemDirectoryA(directory, MAX_PATH);
    const std::string program = std::string(directory) + "\\" + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

bool WaitForExit(const Started& program, DWORD timeoutMs) {
    return program.Process && ::WaitForSingleObject(program.Process.get(), timeoutMs) == WAIT_OBJECT_0;
}

void Kill(Started& program) {
    if (program.Process && !WaitForExit(program, 0)) {
        ::TerminateProcess(program.Process.get(), 1);
        WaitForExit(program, 5000);
    }
}

std::vector<Started> RunningPrograms(const std::string& fileName) {
    std::vector<Started> found;
    const platform::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot.get(), &entry); more;
         more = ::Process32Next(snapshot.get(), &entry)) {
        const std::string name = entry.szExeFile;
        if (_stricmp(name.c_str() + platform::FolderOf(name, platform::IsSystemLeadByte).size(),
                     fileName.c_str()) != 0)
            continue;
        Started program;
        program.Process.reset(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        program.ProcessId = entry.th32ProcessID;
        if (program.Process)
            found.push_back(std::move(program));
    }
    return found;
}

} // namespace scenario
