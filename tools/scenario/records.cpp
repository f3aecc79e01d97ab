#include "tools/scenario/records.h"

#include "platform/win32/unique_resource.h"
#include "tools/scenario/processes.h"

#include <fstream>
#include <iterator>

namespace scenario {
namespace {

void EmptyDirectory(const std::string& directory) {
    ::CreateDirectoryA(directory.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    platform::UniqueFindHandle search(::FindFirstFileA((directory + "*").c_str(), &found));
    if (!search)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileA((directory + found.cFileName).c_str());
    } while (::FindNextFileA(search.get(), &found));
}

} // namespace

void ClearRecords() {
    EmptyDirectory(RecordDirectory);
}

std::string Recorded(const std::string& name) {
    std::ifstream file(std::string(RecordDirectory) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string RecordedWhenSettled(const std::string& name) {
    EndSuitePrograms();
    return Recorded(name);
}

std::string AwaitRecord(const std::string& name, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    std::string text = Recorded(name);
    while (text.empty() && ::GetTickCount() - start < timeoutMs) {
        ::Sleep(50);
        text = Recorded(name);
    }
    return text;
}

} // namespace scenario
