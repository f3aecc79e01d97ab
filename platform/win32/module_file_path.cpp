#include "platform/win32/module_file_path.h"

#include "platform/text.h"

namespace {

// An ANSI path of 32,767 UTF-16 units, each two bytes at most.
constexpr DWORD kLongestPathBytes = 65536;

} // namespace

std::string ModuleFilePath(HMODULE module, ModuleFileNameFunction moduleFileName) {
    // A path cut to the buffer fills it (on XP without a terminator): a larger buffer is tried until the
    // whole path fits, and a cut one is never used.
    for (DWORD size = MAX_PATH + 1; size <= 2 * kLongestPathBytes; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = moduleFileName(module, path.data(), size);
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

std::string ModuleDirectory(HMODULE module) {
    return platform::FolderOf(ModuleFilePath(module), platform::IsSystemLeadByte);
}
