#pragma once

#include "tools/scenario/gate_state.h"
#include "tools/scenario/install.h"
#include "tools/scenario/keyboard.h"
#include "tools/scenario/processes.h"
#include "tools/scenario/records.h"
#include "tools/scenario/screenshot.h"
#include "tools/scenario/window_search.h"

#include <windows.h>

#include <string>
#include <vector>

// Drives the gate against the simulated suite inside Wine: installs the suite as an installer would,
// chooses the simulator's behaviour, starts the gate, finds and answers its dialogs and reads back what
// the simulator recorded. Shared by the main job and the end-to-end tests.
namespace scenario {

// What a run of the gate showed.
struct GateOutcome {
    DWORD ProcessId = 0;
    int Dialogs = 0;
    bool Ended = false;        // on its own, with every dialog closed by its key
    bool DialogStayed = false; // a dialog was still open five seconds after its Enter
    // When the gate had to be ended from outside: what it was doing just before (DescribeStuckGate).
    std::vector<std::string> StateWhenEnded;
    std::vector<std::string> Screenshots;
};

// Starts the installed gate and answers each message dialog with Enter, after a screenshot named
// `<screenshotPrefix>-<n>` when a prefix is given, until the gate ends, a dialog stays open after its
// key or the time-out passes; a gate still running then is ended, and the suite's programs it started
// have ended too when this returns (see EndSuitePrograms).
GateOutcome RunGate(const std::string& arguments, const std::string& screenshotPrefix, DWORD timeoutMs);
// The same for a gate already started; ends it if it still runs after the time-out.
GateOutcome AnswerDialogs(Started& gate, const std::string& screenshotPrefix, DWORD timeoutMs);

// Removes every reference to the global atom with this text (a gate on road 1 leaves one each start).
void DeleteGlobalAtom(const std::string& text);

} // namespace scenario
