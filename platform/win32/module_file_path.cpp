#include "platform/win32/module_file_path.h"

#include "platform/text.h"

std::string ModuleFilePath(HMODULE module) {
    std::string path(MAX_PATH + 1, '\0');
    const DWORD length = ::GetModuleFileNameA(module, path.data(), MAX_PATH + 1);
    path.resize(length);
    return path;
}

std::string ModuleDirectory(HMODULE module) {
    return platform::FolderOf(ModuleFilePath(module));
}
