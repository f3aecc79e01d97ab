#include "ui/framework/window_class.h"

#include "platform/error.h"
#include "ui/framework/window_api.h"

#include <algorithm>
#include <vector>

std::string FrameworkWindowClass(std::string_view className, WNDPROC procedure) {
    static std::vector<std::string> registered;
    std::string name(className);
    if (std::find(registered.begin(), registered.end(), name) == registered.end()) {
        if (!framework::RegisterWindowClass(name.c_str(), procedure))
            throw platform::Error("Cannot register window class " + name);
        registered.push_back(name);
    }
    return name;
}
