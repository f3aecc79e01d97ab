#include "tools/suite/common/record.h"

#include <windows.h>

#include <cstdio>

std::string EnvironmentText(const char* name) {
    char buffer[2048];
    const DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

void RecordShowMode(const char* fileName) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoA(&startup);
    AppendRecord(
        fileName,
        ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? std::to_string(startup.wShowWindow) : "none") +
            "\n");
}

void AppendRecord(const char* fileName, const std::string& bytes) {
    const std::string directory = EnvironmentText("MIVORA_SIM_RECORD");
    if (directory.empty())
        return;
    const std::string path = directory + "\\" + fileName;
    if (FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}
