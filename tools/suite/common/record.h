#pragma once

#include <string>

// The simulator writes what it received to files in the directory named by MIVORA_SIM_RECORD, so tests
// and the main job can read it back byte for byte. Nothing is written when the variable is unset.
void AppendRecord(const char* fileName, const std::string& bytes);

// Records how the program was asked to show itself: its start-up record's show mode (SW_SHOW is 5), or
// "none" when the starter left it to the program.
void RecordShowMode(const char* fileName);

// The value of an environment variable, empty when unset.
std::string EnvironmentText(const char* name);
