#include "platform/files.h"
#include "tests/fakes/platform_fakes.h"

#include <map>

namespace {

struct FakeEntry {
    bool Directory = false;
    std::string Content;
    bool Locked = false;
};

std::map<std::string, FakeEntry>& Entries() {
    static std::map<std::string, FakeEntry> entries;
    return entries;
}

bool NoLeadBytes(unsigned char) {
    return false;
}

platform::LeadByteTest& SystemLeadBytes() {
    static platform::LeadByteTest test = NoLeadBytes;
    return test;
}

} // namespace

namespace platform {

bool IsSystemLeadByte(unsigned char byte) {
    return SystemLeadBytes()(byte);
}

bool FileExists(const std::string& path) {
    // As Windows' ANSI file functions, which refuse a longer name.
    if (!FitsFileFunctions(path))
        return false;
    auto found = Entries().find(path);
    return found != Entries().end() && !found->second.Directory;
}

std::string ProgramFolder() {
    return fakes::GateFolder;
}

bool MoveIntoPlace(const std::string& pending, const std::string& target) {
    auto source = Entries().find(pending);
    if (source == Entries().end() || source->second.Directory || source->second.Locked)
        return false;
    auto existing = Entries().find(target);
    if (existing != Entries().end() && (existing->second.Directory || existing->second.Locked))
        return false;
    Entries()[target] = FakeEntry{false, std::move(source->second.Content), false};
    Entries().erase(pending);
    return true;
}

} // namespace platform

namespace fakes {

void ResetFilesFake() {
    Entries().clear();
    SystemLeadBytes() = NoLeadBytes;
}

void SetSystemLeadBytes(platform::LeadByteTest isLeadByte) {
    SystemLeadBytes() = isLeadByte;
}

void SetFile(const std::string& path, std::string content) {
    Entries()[path] = FakeEntry{false, std::move(content)};
}

void SetDirectory(const std::string& path) {
    Entries()[path] = FakeEntry{true, {}};
}

void RemoveFile(const std::string& path) {
    Entries().erase(path);
}

std::optional<std::string> FileContent(const std::string& path) {
    if (!platform::FileExists(path))
        return std::nullopt;
    return Entries()[path].Content;
}

void LockFile(const std::string& path) {
    Entries()[path].Locked = true;
}

} // namespace fakes
