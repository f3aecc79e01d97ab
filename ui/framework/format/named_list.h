#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Values by name, for the few names a program registers (classes, window classes, a form's handlers):
// a search through a handful of names costs less code than a tree, and no more time.
template <class T> class NamedList {
public:
    // nullptr when no value has that name.
    const T* Find(std::string_view name) const {
        for (const auto& [key, value] : entries_)
            if (key == name)
                return &value;
        return nullptr;
    }
    // Replaces the value already under that name.
    const T& Set(std::string_view name, T value) {
        for (auto& [key, existing] : entries_)
            if (key == name)
                return existing = std::move(value);
        return entries_.emplace_back(std::string(name), std::move(value)).second;
    }

private:
    std::vector<std::pair<std::string, T>> entries_;
};
