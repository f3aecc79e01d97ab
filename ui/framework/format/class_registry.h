#pragma once

#include <functional>
#include <string>
#include <string_view>

class TComponent;

// Creates a component of one class, owned by `owner`.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// The classes a stored design may name, by class name. Registering a name twice replaces the factory.
void RegisterComponentClass(std::string_view className, TComponentFactory factory);
// nullptr when no class of that name is registered.
const TComponentFactory* FindClass(std::string_view className);

template <class T> void RegisterComponentClass(std::string_view className) {
    RegisterComponentClass(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
