#include "platform/win32/job.h"

#include "platform/win32/system_function.h"

namespace platform {

JobFunctions& JobCalls() {
    static JobFunctions calls = [] {
        JobFunctions found;
        found.Create = SystemFunction<decltype(found.Create)>("kernel32.dll", "CreateJobObjectA");
        found.Assign = SystemFunction<decltype(found.Assign)>("kernel32.dll", "AssignProcessToJobObject");
        found.SetInformation =
            SystemFunction<decltype(found.SetInformation)>("kernel32.dll", "SetInformationJobObject");
        found.QueryInformation =
            SystemFunction<decltype(found.QueryInformation)>("kernel32.dll", "QueryInformationJobObject");
        return found;
    }();
    return calls;
}

UniqueHandle CreateRunJob() {
    const JobFunctions& calls = JobCalls();
    if (!calls.Create || !calls.Assign || !calls.SetInformation || !calls.QueryInformation)
        return UniqueHandle();
    UniqueHandle job(calls.Create(nullptr, nullptr));
    // Without this a program of the run that starts another with CREATE_BREAKAWAY_FROM_JOB would fail.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    if (job && !calls.SetInformation(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        job.reset();
    return job;
}

bool AssignToJob(HANDLE job, HANDLE process) {
    return JobCalls().Assign(job, process) != FALSE;
}

std::optional<DWORD> ActiveProcesses(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!JobCalls().QueryInformation(job, JobObjectBasicAccountingInformation, &accounting,
                                     sizeof(accounting), nullptr))
        return std::nullopt;
    return accounting.ActiveProcesses;
}

} // namespace platform
