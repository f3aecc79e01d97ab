#include "ui/framework/application.h"

#include "platform/debug_output.h"
#include "platform/error.h"
#include "platform/text.h"
#include "platform/win32/module_file_path.h"
#include "ui/framework/form.h"
#include "ui/framework/waiting_messages.h"
#include "ui/framework/wide_text.h"
#include "ui/framework/window_api.h"

#include <memory>

TApplication* Application = nullptr;

namespace {

// Closing the application (the taskbar entry's Close, or a close request to each of the program's
// windows) closes the main form, which ends the program. The window itself stays: every form hangs on it, and
// destroying it would take the main form along without ending the message loop.
LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_CLOSE)
        return framework::DefaultWindowProc(window, message, wParam, lParam);
    ShowingErrors([] {
        if (Application != nullptr && Application->MainForm() != nullptr)
            Application->MainForm()->Close();
    });
    return 0;
}

constexpr char kApplicationClass[] = "TApplication";

// Unowned and without the tool-window style, so that once shown it is the program's taskbar entry; with
// no size it shows nothing else. Every form is owned by it, so no form has an entry of its own.
HWND CreateApplicationWindow() {
    framework::RegisterWindowClass(kApplicationClass, ApplicationWindowProc);
    return framework::CreateFrameworkWindow(0, kApplicationClass,
                                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU, 0, 0, 0, 0,
                                            nullptr, nullptr);
}

// The program file's name without its directory and extension.
std::string ExeTitle() {
    std::string name = ModuleFilePath(nullptr);
    name.erase(0, platform::FolderOf(name, platform::IsSystemLeadByte).size());
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::unique_ptr<TApplication>& ApplicationObject() {
    static std::unique_ptr<TApplication> application;
    return application;
}

} // namespace

TApplication::TApplication() : TComponent(nullptr), handle_(CreateApplicationWindow()) {
    if (!handle_)
        throw platform::Error("Error creating window");
    SetTitle(ExeTitle());
    Mouse = &mouse_;
}

TApplication::~TApplication() {
    // Forms go while the application window that owns theirs still exists.
    while (ComponentCount() > 0)
        delete Component(ComponentCount() - 1);
    mainForm_ = nullptr;
    Mouse = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    framework::SetWindowCaption(handle_.get(), title);
}

void TApplication::FormCreated(TForm& form) {
    form.DoCreate();
    if (mainForm_ == nullptr)
        mainForm_ = &form;
}

void TApplication::Run() {
    if (mainForm_ == nullptr)
        return;
    // A program that ends at once would only flash an entry on the taskbar. Not activated: an updater
    // started meanwhile keeps the focus.
    if (!terminating_)
        ::ShowWindow(handle_.get(), SW_SHOWNOACTIVATE);
    if (ShowMainForm)
        mainForm_->Show();
    // Once the end was asked for the loop ends, also when the quit message never comes: a message loop of
    // a foreign library may have taken it.
    while (!terminated_ && !terminating_)
        HandleMessage();
    terminated_ = true;
    ::ShowWindow(handle_.get(), SW_HIDE);
}

void TApplication::Terminate() {
    terminating_ = true;
    ::PostQuitMessage(0);
}

void TApplication::ProcessMessage(MSG& message) {
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    ::TranslateMessage(&message);
    framework::DispatchQueuedMessage(message);
}

void TApplication::ProcessMessages() {
    MSG message;
    while (framework::PeekQueuedMessage(message))
        ProcessMessage(message);
}

void TApplication::HandleMessage() {
    MSG message;
    const BOOL got = framework::GetQueuedMessage(message);
    if (got == -1) {
        // A broken queue would fail again at once: end the loop rather than spin.
        terminated_ = true;
        HandleException(platform::Error("The message queue cannot be read"));
        return;
    }
    if (got == 0)
        message.message = WM_QUIT;
    ProcessMessage(message);
}

void TApplication::HandleException(const std::exception& error) noexcept {
    platform::DebugLine("error box: ", error.what());
    try {
        if (OnException) {
            OnException(this, error);
            return;
        }
        const std::wstring text = framework::Cp949ToWide(ErrorBoxText(error.what()));
        const std::wstring caption = framework::Cp949ToWide(title_);
        ::MessageBoxW(handle_.get(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Nothing more can be told: the box itself failed.
    }
}

void TApplication::FormDestroyed(TForm* form) {
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void InitializeApplication() {
    auto& application = ApplicationObject();
    if (!application) {
        application = std::make_unique<TApplication>();
        Application = application.get();
        AppHost = Application;
    }
}

void FinalizeApplication() {
    ApplicationObject().reset();
    Application = nullptr;
    AppHost = nullptr;
}

void HandleWaitingMessages() {
    if (Application != nullptr)
        Application->ProcessMessages();
}
