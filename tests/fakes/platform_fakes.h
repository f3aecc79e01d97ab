#pragma once

#include "platform/registry_value.h"
#include "platform/text.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Control of the in-memory machine behind platform/registry.h, files.h and library.h in native tests.
namespace fakes {

// A fresh machine: empty registry (writable), no files, no libraries, nothing recorded.
void ResetPlatformFakes();
void ResetRegistryFake();
void ResetFilesFake();
void ResetLibraryFake(); // also forgets loaded libraries without detaching them

// Registry. Key paths are spelt like the program's ("\Software\...\" or without the backslashes); keys
// and value names compare case-insensitively, as the system's do. Setting a value creates its key.
void SetRegistryValue(std::string_view key, std::string_view name, std::uint32_t type, std::string bytes);
void SetRegistryString(std::string_view key, std::string_view name, std::string_view text,
                       std::uint32_t type = platform::RegSz); // stored with its terminating NUL
void SetRegistryDword(std::string_view key, std::string_view name, std::uint32_t value);
void DeleteRegistryValue(std::string_view key, std::string_view name);
std::optional<platform::RawValue> RegistryValue(std::string_view key, std::string_view name);
bool RegistryKeyPresent(std::string_view key);
std::vector<std::string> RegistryKeys(); // every key, as first created
// False: keys can be neither created nor opened for full access (a user who may only read the hive);
// existing keys are opened for reading.
void SetRegistryWritable(bool writable);
int OpenRegistryKeyCount(); // keys opened and not yet closed

// Files, by exact path text. The gate's own file lies in GateFolder.
inline constexpr const char* GateFolder = "C:\\Gate\\";
void SetFile(const std::string& path, std::string content);
void SetDirectory(const std::string& path);
void RemoveFile(const std::string& path);
std::optional<std::string> FileContent(const std::string& path); // nothing for a directory or no file
// A locked file can be neither replaced nor moved away.
void LockFile(const std::string& path);
// The lead bytes of the system's code page, in which file names come: none (a Western Windows) until set.
void SetSystemLeadBytes(platform::LeadByteTest isLeadByte);

// Libraries. A file whose content equals a defined image loads as that library; any other file does not.
struct FakeExport {
    std::int32_t Answer = 210;
    bool Faults = false; // the call raises a fault instead of answering
};
struct FakeLibrary {
    std::map<std::string, FakeExport> Exports{{"ZM_luChkVer", FakeExport{}}};
    bool FaultOnDetach = false;
};
void DefineLibrary(const std::string& image, FakeLibrary library);

// One call of a fake export, its arguments read as (text or null, integer, text or null, integer).
struct FakeCall {
    std::string Export;
    std::optional<std::string> First;
    std::int32_t Second = 0;
    std::optional<std::string> Third;
    std::int32_t Fourth = 0;
};
const std::vector<FakeCall>& FakeCalls();
const std::vector<std::string>& LoadRequests(); // every path given to LoadLibraryFile, loaded or not
int LoadedLibraryCount();                       // loads not yet released
std::vector<std::string> LoadedImages();        // image of every library still loaded

} // namespace fakes
