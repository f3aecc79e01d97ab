#pragma once

#include "platform/win32/unique_resource.h"

#include <windows.h>

#include <optional>

namespace platform {

// The job-object functions of Windows 2000 and later, looked up at their first use: 98, ME and NT 4.0,
// which the program still loads on before it refuses them, lack them. Null where missing; a test puts in
// stand-ins.
struct JobFunctions {
    HANDLE(WINAPI* Create)(LPSECURITY_ATTRIBUTES, LPCSTR) = nullptr;
    BOOL(WINAPI* Assign)(HANDLE, HANDLE) = nullptr;
    BOOL(WINAPI* SetInformation)(HANDLE, JOBOBJECTINFOCLASS, LPVOID, DWORD) = nullptr;
    BOOL(WINAPI* QueryInformation)(HANDLE, JOBOBJECTINFOCLASS, LPVOID, DWORD, LPDWORD) = nullptr;
};
JobFunctions& JobCalls();

// A job for one run of a program and of what it starts. A process started with CREATE_BREAKAWAY_FROM_JOB
// leaves it, and closing it ends nothing. Null where Windows has no jobs.
UniqueHandle CreateRunJob();

// Puts the process in the job. False, with the Windows error, where it cannot be: on 2000 and XP a process
// that already is in a job (as this one's children are, in a job that allows no breakaway).
bool AssignToJob(HANDLE job, HANDLE process);

// How many processes of the job still run; nothing when it cannot be told.
std::optional<DWORD> ActiveProcesses(HANDLE job);

} // namespace platform
