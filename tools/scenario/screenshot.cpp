#include "tools/scenario/screenshot.h"

#include "tools/suite/common/record.h"
#include "ui/framework/gdi_guards.h"

#include <fstream>

namespace scenario {
namespace {

// A Unix path from the rig's environment, as Wine's Z: drive shows it.
std::string WindowsPathOf(std::string path) {
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}

bool WriteBmp(const std::string& path, int width, int height, const void* bits) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(static_cast<const char*>(bits), stride * height);
    out.close();
    return !out.fail();
}

} // namespace

std::string SaveScreenshot(HWND window, const std::string& name) {
    ::Sleep(300); // let the window finish painting
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    std::string directory = WindowsPathOf(EnvironmentText("MIVORA_SCREENSHOTS"));
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    const std::string path = directory + name + ".bmp";

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    framework::WindowDc screen(nullptr);
    framework::UniqueDc memory(::CreateCompatibleDC(screen.get()));
    framework::UniqueGdiObject image(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !image)
        return {};
    {
        framework::SelectGuard selected(memory.get(), image.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), bounds.left, bounds.top, SRCCOPY);
        ::GdiFlush();
    }
    return WriteBmp(path, width, height, bits) ? path : std::string();
}

} // namespace scenario
