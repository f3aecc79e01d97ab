#include "app/instance.h"

std::string InstanceName;
UINT InstanceMessageId = 0;
platform::UniqueHandle InstanceMutex;
ATOM StartArgumentAtom = 0;
COPYDATASTRUCT HandOffData{};

void SetInstanceName(const std::string& name) {
    InstanceName = name;
}

void RegisterInstanceMessage() {
    InstanceMessageId = ::RegisterWindowMessageA(InstanceName.c_str());
}

bool IsAnotherInstanceRunning() {
    InstanceMutex.reset();
    InstanceMutex.reset(::CreateMutexA(nullptr, TRUE, InstanceName.c_str()));
    // The error code is read right after the call, while it still tells "already exists".
    const DWORD error = ::GetLastError();
    // A gate of another account started with "Run as" in this session holds a mutex whose
    // access list refuses this one: it runs all the same.
    if (!InstanceMutex)
        return error == ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) {
        InstanceMutex.reset();
        return true;
    }
    return false;
}

void CloseInstanceMutex() {
    InstanceMutex.reset();
}
