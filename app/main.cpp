#include "app/entry.h"
#include "app/instance.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/os_version_probe.h"
#include "ui/controls/uHeader.h"
#include "ui/framework/application.h"

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::RemoveCurrentDirectoryFromDllSearch();
    // Start-up steps of the modules, before the entry proper.
    FillOsVersionFacts();
    ProbeKernelVersion();
    InitializeApplication();
    try {
        LoadLabelBitmap();
        SetInstanceName("Mivora");
        TakeStartRoad();
        Application->Run();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    FreeLabelBitmap();
    FinalizeApplication();
    return 0;
}
