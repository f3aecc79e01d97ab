#include "bench/installation.h"

#include <stdexcept>

Installation::Installation(const scenario::SuiteSetup& setup) {
    scenario::InstallSuite(setup);
    for (const char* name : {FloorProgram, FloorWithDllsProgram}) {
        const std::string floor = std::string(scenario::SuiteDirectory) + name;
        if (!::CopyFileA((scenario::OwnDirectory() + name).c_str(), floor.c_str(), FALSE)) {
            Remove();
            throw std::runtime_error("cannot install " + floor);
        }
    }
}

Installation::~Installation() {
    Remove();
}

void Installation::Remove() {
    scenario::EndSuitePrograms();
    scenario::RemoveSuiteKeys();
    for (const char* name : {FloorProgram, FloorWithDllsProgram})
        ::DeleteFileA((std::string(scenario::SuiteDirectory) + name).c_str());
}

scenario::Started StartMainWindow() {
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", "");
    scenario::Started program = scenario::StartInstalled("MivoraMain.exe", "");
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", "exit");
    return program;
}

void Require(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error(what);
}
