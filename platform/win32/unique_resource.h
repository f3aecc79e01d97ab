#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// A move-only owner of one Windows handle. Traits give the handle type, its null value and how it is
// released.
template <class Traits> class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Null(); }

    Handle release() { return std::exchange(handle_, Traits::Null()); }
    void reset(Handle handle = Traits::Null()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Null())
            Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Null();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Null() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Null() { return nullptr; }
    static void Close(Handle h) { ::DestroyWindow(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueKey = UniqueResource<RegistryKeyTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;

} // namespace platform
