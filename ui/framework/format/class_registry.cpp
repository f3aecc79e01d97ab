#include "ui/framework/format/class_registry.h"

#include "ui/framework/format/named_list.h"

namespace {

// Built on first use, so classes may register from static initialisers in any order.
NamedList<TComponentFactory>& Classes() {
    static NamedList<TComponentFactory> classes;
    return classes;
}

} // namespace

void RegisterComponentClass(std::string_view className, TComponentFactory factory) {
    Classes().Set(className, std::move(factory));
}

const TComponentFactory* FindClass(std::string_view className) {
    return Classes().Find(className);
}
