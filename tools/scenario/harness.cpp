#include "tools/scenario/harness.h"

namespace scenario {

GateOutcome RunGate(const std::string& arguments, const std::string& screenshotPrefix, DWORD timeoutMs) {
    Started gate = StartGate(arguments);
    return AnswerDialogs(gate, screenshotPrefix, timeoutMs);
}

GateOutcome AnswerDialogs(Started& gate, const std::string& screenshotPrefix, DWORD timeoutMs) {
    GateOutcome outcome;
    outcome.ProcessId = gate.ProcessId;
    const DWORD start = ::GetTickCount();
    while (!(outcome.Ended = WaitForExit(gate, 0)) && ::GetTickCount() - start < timeoutMs) {
        const HWND dialog = WaitForDialog(gate.ProcessId, 200);
        if (dialog == nullptr)
            continue;
        ++outcome.Dialogs;
        if (!screenshotPrefix.empty())
            outcome.Screenshots.push_back(
                SaveScreenshot(dialog, screenshotPrefix + "-" + std::to_string(outcome.Dialogs)));
        PressKey(dialog, VK_RETURN);
        if (!WaitForDialogGone(dialog, 5000)) {
            outcome.DialogStayed = true;
            break;
        }
    }
    if (!outcome.Ended)
        outcome.StateWhenEnded = DescribeStuckGate(gate.Process.get(), gate.ProcessId);
    Kill(gate);
    EndSuitePrograms();
    return outcome;
}

void DeleteGlobalAtom(const std::string& text) {
    while (ATOM atom = ::GlobalFindAtomA(text.c_str()))
        if (::GlobalDeleteAtom(atom) != 0)
            break;
}

} // namespace scenario
