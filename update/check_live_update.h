#pragma once

#include "platform/process.h"
#include "platform/text.h"

#include <cstdint>
#include <functional>
#include <string>

// Result codes of the update check.
enum : std::int32_t {
    UpdaterStarted = 0,
    CheckFailed = -3,       // the library could not be bound, or it gave an answer we do not know
    UpdaterMissing = -11,   // an update run was due but the updater could not be started
    CheckCallFailed = -203, // the library's call or its release failed
    NoUpdateDue = -204,
};

// The library's answer when an update run is due.
constexpr std::int32_t UpdateDueAnswer = 210;

// Decides whether an update run is due and, when it is, starts the updater, which reports to `window`.
// Returns UpdaterStarted, with the updater's process in `updater`, or a negative code. Failures are
// explained to the user in the message dialog; registry errors are raised. `stillWaiting` is asked right
// before the updater would start, once the waiting messages were handled: when the window has stopped
// waiting (a verdict decided meanwhile), nothing is started and the result is NoUpdateDue.
std::int32_t CheckLiveUpdate(
    const std::string& moduleId, std::uint32_t window, platform::Process& updater,
    const std::function<bool()>& stillWaiting = [] { return true; });

// The suite path: the registered path without its last component ("D:\Suite\Bin\" -> "D:\Suite\"),
// cut between the characters of the code page whose lead bytes `isLeadByte` tells.
std::string SuitePathOf(const std::string& registeredPath, platform::LeadByteTest isLeadByte);
