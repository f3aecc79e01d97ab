#pragma once

#include <windows.h>

#include <string>

// Start-up steps that fill OsVersionFacts from the running system.
void FillOsVersionFacts();
void ProbeKernelVersion();

// The file's fixed version record (exactly 52 bytes); false, with `info` untouched, when it has none.
bool ReadFixedVersionInfo(const std::string& path, VS_FIXEDFILEINFO& info);
