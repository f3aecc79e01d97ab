#pragma once

#include "platform/error.h"

#include <windows.h>

#include <exception>
#include <string>

class TForm;

// The application object as the windowing below it sees it: the window that owns every form's window,
// the main form, one turn of the message loop for a modal showing, the end of the program and the error
// box. TApplication is the host; AppHost points to it while it exists, so forms and window procedures
// need not know the application itself.
class TAppHost {
public:
    virtual HWND Handle() const = 0;
    virtual TForm* MainForm() const = 0;
    // Waits for one message and handles it.
    virtual void HandleMessage() = 0;
    virtual bool Terminated() const = 0;
    virtual void Terminate() = 0;
    // The form is being destroyed: if it was the main form, there is none now.
    virtual void FormDestroyed(TForm* form) = 0;
    virtual void HandleException(const std::exception& error) noexcept = 0;

protected:
    ~TAppHost() = default;
};

extern TAppHost* AppHost;

// What a window procedure does with an exception that its handler let out.
void ShowUnhandledException(const std::exception& error) noexcept;

// Runs `action`; whatever it raises goes to the error box and the caller goes on. Window procedures,
// which no exception may leave, run their handlers through it.
void ShowingErrors(void (*run)(void* action), void* action) noexcept;
template <class Action> void ShowingErrors(Action action) noexcept {
    // One catching frame serves every action.
    ShowingErrors([](void* self) { (*static_cast<Action*>(self))(); }, &action);
}

// The error box's text: a full stop is added when the last character sorts after ".".
std::string ErrorBoxText(const std::string& message);
