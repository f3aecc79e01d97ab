#include "tools/scenario/install.h"

#include "platform/win32/module_file_path.h"
#include "tools/scenario/processes.h"
#include "tools/scenario/records.h"

#include <shlwapi.h>

namespace scenario {
namespace {

constexpr char SuiteFiles[][24] = {"Mivora.exe",        "ZM_CheckVer.dll",       "ZM_CheckVer.dll.tmp",
                                   "ZM_LiveUpdate.exe", "ZM_LiveUpdate.exe.tmp", "MivoraMain.exe"};

void SetText(HKEY key, const char* name, const std::string& text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

platform::UniqueKey CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return platform::UniqueKey(key);
}

} // namespace

void RemoveSuiteKeys() {
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\QUENTAR");
}

void SetWindowsVersionFor(const char* exeName, const std::string& version) {
    const std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    if (version.empty()) {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
        return;
    }
    SetText(CreateKey(HKEY_CURRENT_USER, path).get(), "Version", version);
}

void InstallSuite(const SuiteSetup& setup) {
    EndSuitePrograms();
    ::CreateDirectoryA(SuiteDirectory, nullptr);
    for (const char* name : SuiteFiles)
        ::DeleteFileA((std::string(SuiteDirectory) + name).c_str());
    const std::string built = ModuleDirectory(nullptr);
    auto install = [&](const char* name, const std::string& from) {
        ::CopyFileA(from.c_str(), (std::string(SuiteDirectory) + name).c_str(), FALSE);
    };
    install("Mivora.exe", built + "Mivora.exe");
    if (setup.Library)
        install("ZM_CheckVer.dll", built + "suite\\ZM_CheckVer.dll");
    if (setup.Updater)
        install("ZM_LiveUpdate.exe", built + "suite\\ZM_LiveUpdate.exe");
    if (setup.MainProgram)
        install("MivoraMain.exe", built + "suite\\MivoraMain.exe");

    RemoveSuiteKeys();
    const auto module = CreateKey(HKEY_LOCAL_MACHINE, "Software\\QUENTAR\\ZelvanoManager\\Mivora");
    if (!setup.Path.empty())
        SetText(module.get(), "Path", setup.Path);
    if (!setup.Version.empty())
        SetText(module.get(), "ver", setup.Version);

    ClearRecords();
    ::SetEnvironmentVariableA("MIVORA_SIM_RECORD", std::string(RecordDirectory).c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", setup.CheckLibrary.c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER_LOG",
                              (std::string(RecordDirectory) + "checkver.log").c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_VERDICT", setup.Verdict.c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", setup.MainOptions.c_str());
    SetWindowsVersionFor("Mivora.exe", setup.WindowsVersion);
}

} // namespace scenario
