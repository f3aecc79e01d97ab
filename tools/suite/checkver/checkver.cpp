// The suite's version-check library as the gate meets it, with its answer and misbehaviour chosen by
// the environment (see ../README.md).
#include "platform/win32/unique_resource.h"
#include "tests/support/cpu_state.h"
#include "tools/suite/common/record.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Behaviour {
    int Answer = -204;
    std::string AttachFault; // "av", "ill", "div" or empty
    std::string CallFault;   // the same
    std::string DetachFault; // the same
    std::string UnmaskFpu;   // "attach", "call", "detach" or empty: leave x87 exceptions unmasked there
    bool LeaveDirectionSet = false;
    bool Pump = false;     // handles the caller's messages for a while, as a library with a window of its own
    bool KeepQuit = false; // that loop takes a quit request for itself
};

Behaviour ReadBehaviour() {
    Behaviour behaviour;
    const std::string words = EnvironmentText("MIVORA_SIM_CHECKVER");
    for (std::size_t start = 0; start <= words.size();) {
        std::size_t end = words.find(',', start);
        if (end == std::string::npos)
            end = words.size();
        const std::string word = words.substr(start, end - start);
        if (word.rfind("attach-", 0) == 0)
            behaviour.AttachFault = word.substr(7);
        else if (word.rfind("fpu-", 0) == 0)
            behaviour.UnmaskFpu = word.substr(4);
        else if (word == "df-call")
            behaviour.LeaveDirectionSet = true;
        else if (word == "pump")
            behaviour.Pump = true;
        else if (word == "pump-keep-quit")
            behaviour.Pump = behaviour.KeepQuit = true;
        else if (word.rfind("call-", 0) == 0)
            behaviour.CallFault = word.substr(5);
        else if (word.rfind("detach-", 0) == 0)
            behaviour.DetachFault = word.substr(7);
        else if (!word.empty())
            behaviour.Answer = std::atoi(word.c_str());
        start = end + 1;
    }
    return behaviour;
}

void Record(const std::string& line) {
    AppendRecord("events", line.substr(0, line.find(' ')) + "\n");
    const std::string path = EnvironmentText("MIVORA_SIM_CHECKVER_LOG");
    if (path.empty())
        return;
    const platform::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    ::SetFilePointer(file.get(), 0, nullptr, FILE_END);
    const std::string text = line + "\r\n";
    DWORD written = 0;
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Escaped(const char* text) {
    if (text == nullptr)
        return "null";
    std::string out = "s:";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p >= '!' && *p <= '~' && *p != '%') {
            out += static_cast<char>(*p);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "%%%02X", *p);
            out += hex;
        }
    }
    return out;
}

void Fault(const std::string& kind) {
    if (kind == "av")
        asm volatile("movl $1, 0x10" ::: "memory");
    else if (kind == "ill")
        asm volatile("ud2");
    else if (kind == "div")
        asm volatile("xorl %%ecx, %%ecx\n\tmovl $7, %%eax\n\tcltd\n\tidivl %%ecx" ::: "eax", "ecx", "edx");
}

// As a library built by another compiler leaves it: every floating-point exception unmasked.
void UnmaskFpuAt(const Behaviour& behaviour, const char* point) {
    if (behaviour.UnmaskFpu == point)
        support::UnmaskFloatingPoint();
}

// Handles the caller's messages for three seconds; a quit request is left for the caller's own loop,
// unless `keepQuit`.
void PumpMessages(bool keepQuit) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 3000) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (!keepQuit)
                    ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

} // namespace

// The build without the export keeps the function but exports nothing.
#ifdef MIVORA_CHECKVER_NO_EXPORT
#define CHECKVER_EXPORT
#else
#define CHECKVER_EXPORT __declspec(dllexport)
#endif

#ifdef MIVORA_CHECKVER_WITH_PART
extern "C" __declspec(dllimport) int ZM_CheckVerPart();
#endif

extern "C" CHECKVER_EXPORT int WINAPI ZM_luChkVer(const char* moduleId, int testMode, const char* suitePath,
                                                  int liveTestMode) {
    Record("call " + Escaped(moduleId) + " " + std::to_string(testMode) + " " + Escaped(suitePath) + " " +
           std::to_string(liveTestMode));
    int answer = 0;
    bool leaveDirectionSet = false;
    {
        const Behaviour behaviour = ReadBehaviour();
        UnmaskFpuAt(behaviour, "call");
        Fault(behaviour.CallFault);
        if (behaviour.Pump)
            PumpMessages(behaviour.KeepQuit);
        answer = behaviour.Answer;
        leaveDirectionSet = behaviour.LeaveDirectionSet;
    }
    // Set last, once the texts are freed: this library's own code would run with it otherwise.
    if (leaveDirectionSet)
        asm volatile("std" ::: "cc");
    return answer;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        Record("attach");
#ifdef MIVORA_CHECKVER_WITH_PART
        ZM_CheckVerPart();
#endif
        const Behaviour behaviour = ReadBehaviour();
        UnmaskFpuAt(behaviour, "attach");
        Fault(behaviour.AttachFault);
    } else if (reason == DLL_PROCESS_DETACH) {
        Record("detach");
        const Behaviour behaviour = ReadBehaviour();
        UnmaskFpuAt(behaviour, "detach");
        Fault(behaviour.DetachFault);
    }
    return TRUE;
}
