#include "ui/framework/format/class_registry.h"

#include <map>

namespace {

// Built on first use, so classes may register from static initialisers in any order.
std::map<std::string, TComponentFactory, std::less<>>& Classes() {
    static std::map<std::string, TComponentFactory, std::less<>> classes;
    return classes;
}

} // namespace

void RegisterComponentClass(std::string_view className, TComponentFactory factory) {
    Classes().insert_or_assign(std::string(className), std::move(factory));
}

const TComponentFactory* FindClass(std::string_view className) {
    const auto found = Classes().find(className);
    return found == Classes().end() ? nullptr : &found->second;
}
