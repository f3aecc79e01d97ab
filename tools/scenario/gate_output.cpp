#include "tools/scenario/gate_output.h"

namespace scenario {

namespace {

// The debug-output string of the event, as the debuggee sent it.
std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    if (info.fUnicode || info.nDebugStringLength == 0)
        return "";
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ::ReadProcessMemory(process, info.lpDebugStringData, text.data(), text.size(), &read);
    text.resize(read);
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

DebuggedGate::DebuggedGate(const std::string& arguments)
    : commandLine_("\"" + std::string(SuiteDirectory) + "Mivora.exe\" " + arguments),
      ready_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(::CreateThread(nullptr, 0, &DebuggedGate::Collect, this, 0, nullptr));
    if (thread_)
        ::WaitForSingleObject(ready_.get(), INFINITE);
}

DebuggedGate::~DebuggedGate() {
    Lines(0);
}

std::vector<std::string> DebuggedGate::Lines(DWORD timeoutMs) {
    if (thread_ && ::WaitForSingleObject(thread_.get(), timeoutMs) != WAIT_OBJECT_0) {
        Kill(program_);
        ::WaitForSingleObject(thread_.get(), INFINITE);
    }
    return lines_;
}

DWORD WINAPI DebuggedGate::Collect(void* self) noexcept {
    auto& gate = *static_cast<DebuggedGate*>(self);
    const std::string program = std::string(SuiteDirectory) + "Mivora.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = gate.commandLine_;
    const bool started =
        ::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                         nullptr, nullptr, &startup, &info) != FALSE;
    if (!started)
        gate.startError_ = ::GetLastError();
    if (started) {
        const platform::UniqueHandle thread(info.hThread);
        gate.program_.Process.reset(info.hProcess);
        gate.program_.ProcessId = info.dwProcessId;
    }
    ::SetEvent(gate.ready_.get());
    if (started)
        gate.AnswerEvents(info.hProcess);
    return 0;
}

void DebuggedGate::AnswerEvents(HANDLE process) {
    DEBUG_EVENT event{};
    for (;;) {
        if (!::WaitForDebugEvent(&event, 1000))
            continue;
        DWORD answer = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            platform::UniqueFile(event.u.CreateProcessInfo.hFile).reset();
            break;
        case LOAD_DLL_DEBUG_EVENT:
            platform::UniqueFile(event.u.LoadDll.hFile).reset();
            break;
        case OUTPUT_DEBUG_STRING_EVENT:
            lines_.push_back(ReadDebugString(process, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            // The gate's fault guard, not this debugger, handles what the check library raises.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                answer = DBG_EXCEPTION_NOT_HANDLED;
            break;
        default:
            break;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return;
    }
}

} // namespace scenario
