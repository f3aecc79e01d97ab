#pragma once

#include <string>
#include <vector>

namespace scenario {

// What the driver saw of one run of the gate, from the suite's records and its own windows.
struct SeenRun {
    int Road = 0;
    std::string LibraryLog;   // the check library's events, one a line ("attach", "call ...", "detach")
    std::string UpdaterLines; // the updater's command lines as it got them, one a line; empty: not started
    std::string Verdicts;     // the codes the updater sent, one a line
    std::string MainLines;    // the main program's command lines as it got them, the same way
    int Dialogs = 0;
};

// The non-empty lines of a record, without their line ends.
std::vector<std::string> RecordLines(const std::string& record);

// Where the gate's debug-output lines and what the driver saw disagree, one finding after another;
// empty when they agree. Each line must start with "Mivora: <milliseconds>ms ".
std::string Disagreements(const std::vector<std::string>& lines, const SeenRun& seen);

} // namespace scenario
