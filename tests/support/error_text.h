#pragma once

#include "platform/error.h"

#include <string>

// The text of the `Error` that `action` raises, or "no error" when it raises none.
template <class Error = platform::Error, class Action> std::string ErrorText(const Action& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}
