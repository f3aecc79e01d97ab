#pragma once

#include <string>

// The simulator writes what it received to files in the directory named by MIVORA_SIM_RECORD, so tests
// and the main job can read it back byte for byte. Nothing is written when the variable is unset.
void AppendRecord(const char* fileName, const std::string& bytes);

// The value of an environment variable, empty when unset.
std::string EnvironmentText(const char* name);
