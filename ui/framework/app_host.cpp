#include "ui/framework/app_host.h"

#include "platform/debug_output.h"
#include "ui/framework/wide_text.h"

TAppHost* AppHost = nullptr;

void ShowingErrors(void (*run)(void* action), void* action) noexcept {
    try {
        run(action);
    } catch (const std::exception& error) {
        ShowUnhandledException(error);
    } catch (...) {
        ShowUnhandledException(platform::Error("Unknown error"));
    }
}

void ShowUnhandledException(const std::exception& error) noexcept {
    if (AppHost != nullptr) {
        AppHost->HandleException(error);
        return;
    }
    platform::DebugLine("error box: ", error.what());
    try {
        const std::wstring text = framework::Cp949ToWide(ErrorBoxText(error.what()));
        ::MessageBoxW(nullptr, text.c_str(), L"", MB_OK | MB_ICONSTOP);
    } catch (...) {
    }
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}
