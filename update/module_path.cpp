#include "update/module_path.h"

#include "platform/files.h"
#include "platform/registry.h"
#include "update/module_table.h"

std::string ModuleKeyPath(std::string_view moduleName) {
    return std::string(ProductKeyPath) + std::string(moduleName) + "\\";
}

std::string ReadModulePath(std::string_view moduleName) {
    // "ZMFW" names the suite's shared libraries, registered on the product key itself.
    if (moduleName == "ZMFW")
        return platform::RegistryKey(ProductKeyPath).ReadString("DLLPATH");
    return platform::RegistryKey(ModuleKeyPath(moduleName)).ReadString("Path");
}

std::string SuiteFilesFolder() {
    const std::string path = ReadModulePath(ModuleNames[MivoraModule]);
    return path.empty() ? platform::ProgramFolder() : path;
}
