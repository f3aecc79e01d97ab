#pragma once

#include <utility>

namespace platform {

// A move-only owner of one handle. Traits give the handle type, its null value and how it is released;
// a portable class's traits may leave Close to be defined by each build.
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
    // The old handle is let go before it is closed, so a close that fails half-way is never repeated.
    void reset(Handle handle = Traits::Null()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Null())
            Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Null();
};

} // namespace platform
