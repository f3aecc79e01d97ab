#pragma once

#include "platform/unique_resource.h"

#include <cstdint>
#include <optional>
#include <string>

// Libraries loaded at run time, and calls into them that a fault inside cannot bring down.
namespace platform {

using LibraryHandle = void*; // HMODULE on Windows; the fake's own library otherwise
using ExportAddress = void*;

// Loads the library file at `path`, made full against the current directory; the DLLs it imports are
// looked for in its own folder first. Its start-up code runs under the fault guard. Null when it cannot
// be loaded or a fault was raised inside.
LibraryHandle LoadLibraryFile(const std::string& path);

// The export's address, or null.
ExportAddress FindExport(LibraryHandle library, const char* name);

// Releases the library. False when a fault inside the library's detach was caught.
bool ReleaseLibrary(LibraryHandle library);

struct LibraryTraits {
    using Handle = LibraryHandle;
    static Handle Null() { return nullptr; }
    static void Close(Handle library) { ReleaseLibrary(library); }
};

// Owns one loaded library. Letting go of it releases the library under the fault guard.
class Library {
public:
    Library() = default;
    explicit Library(const std::string& path) : library_(LoadLibraryFile(path)) {}

    bool IsLoaded() const { return static_cast<bool>(library_); }
    ExportAddress Find(const char* name) const { return FindExport(library_.get(), name); }
    // Releases the library now. The handle is let go first, so after a fault inside its detach nothing
    // (the destructor at exit included) releases it again. False when such a fault was caught.
    bool Release() {
        const LibraryHandle library = library_.release();
        return library == nullptr || ReleaseLibrary(library);
    }

private:
    UniqueResource<LibraryTraits> library_;
};

// Calls a stdcall function of four 32-bit arguments. Nothing when a fault (access violation, illegal
// instruction, divide by zero, ...) was raised inside it. The caller's stack pointer is restored
// afterwards, so a function that leaves its arguments on the stack does no harm.
std::optional<std::int32_t> CallStdcall4(ExportAddress function, std::uintptr_t first, std::uintptr_t second,
                                         std::uintptr_t third, std::uintptr_t fourth);

} // namespace platform
