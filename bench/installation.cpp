#include "bench/installation.h"

#include "platform/win32/module_file_path.h"

#include <stdexcept>

namespace {

std::string Installed(const char* name) {
    return std::string(scenario::SuiteDirectory) + name;
}

} // namespace

Installation::Installation(const scenario::SuiteSetup& setup, const std::string& beforeGate) {
    scenario::InstallSuite(setup);
    auto install = [](const std::string& from, const char* name) {
        if (!::CopyFileA(from.c_str(), Installed(name).c_str(), FALSE)) {
            Remove();
            throw std::runtime_error("cannot install " + Installed(name) + " from " + from);
        }
    };
    for (const char* name : BuiltPrograms)
        install(ModuleDirectory(nullptr) + name, name);
    if (!beforeGate.empty())
        install(beforeGate, BeforeGateProgram);
}

Installation::~Installation() {
    Remove();
}

void Installation::Remove() {
    scenario::EndSuitePrograms();
    scenario::RemoveSuiteKeys();
    for (const char* name : BuiltPrograms)
        ::DeleteFileA(Installed(name).c_str());
    ::DeleteFileA(Installed(BeforeGateProgram).c_str());
}

scenario::Started StartMainWindow() {
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", "splash");
    scenario::Started program = scenario::StartInstalled("MivoraMain.exe", "");
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", "exit");
    return program;
}

void Require(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error(what);
}
