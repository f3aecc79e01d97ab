#include "ui/framework/window_class.h"

#include "platform/error.h"
#include "ui/framework/window_api.h"

#include <set>
#include <string>

const char* FrameworkWindowClass(std::string_view className, WNDPROC procedure) {
    static std::set<std::string, std::less<>> registered;
    auto found = registered.find(className);
    if (found == registered.end()) {
        std::string name(className);
        if (!framework::RegisterWindowClass(name.c_str(), procedure))
            throw platform::Error("Cannot register window class " + name);
        found = registered.insert(std::move(name)).first;
    }
    return found->c_str();
}
