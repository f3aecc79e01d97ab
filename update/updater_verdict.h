#pragma once

#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <string>

// What the update window does with each verdict the updater reports.
struct VerdictResponse {
    int DialogType = 0; // 0: no dialog
    const char* MainText = "";
    const char* SubText = "";
    bool StartsMainProgram = false;
};

// The response to a known verdict code; nothing for any other code, which leaves the window waiting.
std::optional<VerdictResponse> ResponseToVerdict(std::int32_t code);

// The verdict assumed when the updater ends without having reported one.
constexpr std::int32_t VerdictWhenUpdaterVanishes = 1103;

// The main program's command line: the path, "MivoraMain.exe " and the argument, nothing quoted.
std::string MainProgramCommandLine(const std::string& directory, const std::string& startArgument);

// The first command-line argument, trimmed and upper-cased, as the main program gets it.
std::string StartArgumentFrom(const std::string& commandLine, platform::LeadByteTest isLeadByte);
