#pragma once

#include <exception>
#include <string>
#include <utility>

namespace platform {

// The base of this program's errors: a text that may be shown to the user as it is. It keeps the text
// in a plain string; the standard error classes keep theirs in a second string implementation of
// their own, which would put the whole of it into the program.
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace platform
