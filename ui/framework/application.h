#pragma once

#include "platform/win32/unique_resource.h"
#include "ui/framework/app_host.h"
#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/mouse.h"

#include <windows.h>

#include <exception>
#include <string>

class TForm;

// The program's application object: its hidden top-level window, title, main form and message loop.
class TApplication : public TComponent, public TAppHost {
public:
    TApplication();
    ~TApplication() override;

    static constexpr TClassInfo kClassInfo{"TApplication", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // The hidden application window, which exists from construction on.
    HWND Handle() const override { return handle_.get(); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    TForm* MainForm() const override { return mainForm_; }

    // Creates a form owned by the application into `reference`. The reference is set before the form's
    // creation handler runs; the first form created becomes the main form once that handler returns.
    template <class T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        FormCreated(*form);
    }

    // Shows the application window as the program's taskbar entry and the main form (unless ShowMainForm
    // is cleared), and handles messages until the end is asked for or a quit message comes; returns at
    // once without a main form. With the end already asked for, the entry is not shown.
    void Run();
    bool ShowMainForm = true;
    // Asks the loop to end (posts the quit message).
    void Terminate() override;
    bool Terminated() const override { return terminated_; }
    // Handles every message waiting in the queue.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage() override;
    // The standard error box: the error's text (with a full stop where it lacks one), the title as caption,
    // the error icon and OK. With OnException set, that handler takes the error instead.
    void HandleException(const std::exception& error) noexcept override;
    TEvent<void(TObject* sender, const std::exception& error)> OnException;

    void FormDestroyed(TForm* form) override;

private:
    void FormCreated(TForm& form);
    void ProcessMessage(MSG& message);

    platform::UniqueWindow handle_;
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminating_ = false;
    bool terminated_ = false;
    TMouse mouse_;
};

extern TApplication* Application;

// Creates the application object and its window; called first thing at start-up. Idempotent.
void InitializeApplication();
// Frees the application object and every form it owns.
void FinalizeApplication();
