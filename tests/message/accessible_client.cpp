// A screen reader's view of the message dialog of another process, as Active Accessibility gives it.
// It listens for the dialog's events, reads the dialog when it starts, moves the focus with Tab when
// there is a second button, presses OK through the default action, and once the dialog has ended calls
// the object it still holds. Every line goes to the output file in UTF-8.
//   accessible_client <event set when listening> <output file>
#include "platform/win32/unique_resource.h"
#include "tools/scenario/utf8.h"

#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

using scenario::U8;

std::FILE* out = nullptr;
IAccessible* dialog = nullptr;
HWND dialogWindow = nullptr;
bool tabbed = false;
long awaitedFocus = 0; // the button that Tab moves the focus to

std::string Utf8(const wchar_t* text) {
    return text != nullptr ? scenario::Utf8(text) : "(none)";
}

VARIANT Child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Name(IAccessible& acc, long id) {
    BSTR name = nullptr;
    const HRESULT hr = acc.get_accName(Child(id), &name);
    std::string text = SUCCEEDED(hr) ? Utf8(name) : "(failed)";
    ::SysFreeString(name);
    return text;
}

using Names = std::initializer_list<std::pair<long, const char*>>;

// The name a table gives `value`, or null.
const char* NameIn(Names names, long value) {
    for (const auto& [known, name] : names)
        if (known == value)
            return name;
    return nullptr;
}

std::string RoleText(long role) {
    const char* name = NameIn({{ROLE_SYSTEM_DIALOG, "dialog"},
                               {ROLE_SYSTEM_STATICTEXT, "static text"},
                               {ROLE_SYSTEM_GRAPHIC, "graphic"},
                               {ROLE_SYSTEM_PUSHBUTTON, "push button"}},
                              role);
    return name != nullptr ? name : std::to_string(role);
}

std::string StateText(long state) {
    std::string text = std::to_string(state);
    const Names names = {{STATE_SYSTEM_FOCUSED, "focused"},
                         {STATE_SYSTEM_DEFAULT, "default"},
                         {STATE_SYSTEM_READONLY, "read-only"},
                         {STATE_SYSTEM_INVISIBLE, "invisible"},
                         {STATE_SYSTEM_FOCUSABLE, "focusable"}};
    for (const auto& [bit, name] : names)
        if (state & bit)
            text += std::string(" ") + name;
    return text;
}

// Locations relative to the dialog's window, so that they do not depend on where it was placed.
void PrintItem(IAccessible& acc, long id) {
    VARIANT role{}, state{};
    acc.get_accRole(Child(id), &role);
    acc.get_accState(Child(id), &state);
    std::fprintf(out, "%s \"%s\" role %s state %s",
                 id == CHILDID_SELF ? "dialog" : ("  " + std::to_string(id)).c_str(), Name(acc, id).c_str(),
                 RoleText(role.lVal).c_str(), StateText(state.lVal).c_str());
    if (id != CHILDID_SELF) {
        RECT window;
        ::GetWindowRect(dialogWindow, &window);
        LONG x = 0, y = 0, w = 0, h = 0;
        acc.accLocation(&x, &y, &w, &h, Child(id));
        std::fprintf(out, " at %ld,%ld %ldx%ld", x - window.left, y - window.top, w, h);
        BSTR action = nullptr;
        if (acc.get_accDefaultAction(Child(id), &action) == S_OK)
            std::fprintf(out, " action \"%s\"", Utf8(action).c_str());
        ::SysFreeString(action);
        VARIANT hit{};
        acc.accHitTest(x + w / 2, y + h / 2, &hit);
        if (hit.vt != VT_I4 || hit.lVal != id)
            std::fprintf(out, " (its middle hits %ld)", hit.vt == VT_I4 ? hit.lVal : -1);
    }
    std::fprintf(out, "\n");
}

// The focused child, or 0.
long Focus() {
    VARIANT focus{};
    return dialog->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 ? focus.lVal : 0;
}

std::string FocusText() {
    const long focus = Focus();
    return focus != 0 ? std::to_string(focus) + " " + Name(*dialog, focus) : "none";
}

// Prints the dialog and its children; returns the focused child.
long ReadDialog() {
    LONG count = 0;
    dialog->get_accChildCount(&count);
    PrintItem(*dialog, CHILDID_SELF);
    for (long id = 1; id <= count; ++id)
        PrintItem(*dialog, id);
    // Walking the children by navigation meets them in the same order.
    std::string walk;
    VARIANT at{};
    HRESULT hr = dialog->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &at);
    while (hr == S_OK && at.vt == VT_I4) {
        walk += " " + std::to_string(at.lVal);
        hr = dialog->accNavigate(NAVDIR_NEXT, Child(at.lVal), &at);
    }
    std::fprintf(out, "navigation:%s\nfocus: %s\n", walk.c_str(), FocusText().c_str());
    return Focus();
}

long ChildNamed(const std::string& name) {
    LONG count = 0;
    dialog->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id)
        if (Name(*dialog, id) == name)
            return id;
    return 0;
}

// Once the focus is where it was awaited: Tab to Cancel when it is shown (the dialog's thread has the
// focus), else OK's default action.
void NextStep() {
    const long cancel = ChildNamed(U8(u8"취소"));
    if (cancel != 0 && !tabbed) {
        tabbed = true;
        awaitedFocus = cancel;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialogWindow, nullptr), &info);
        ::PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_TAB, 1);
        ::PostMessageW(info.hwndFocus, WM_KEYUP, VK_TAB, 0xC0000001);
        return;
    }
    std::fprintf(out, "press OK: %08lx\n",
                 static_cast<unsigned long>(dialog->accDoDefaultAction(Child(ChildNamed(U8(u8"확인"))))));
}

const char* EventName(DWORD event) {
    return NameIn({{EVENT_SYSTEM_DIALOGSTART, "dialog start"},
                   {EVENT_SYSTEM_DIALOGEND, "dialog end"},
                   {EVENT_OBJECT_FOCUS, "focus"},
                   {EVENT_OBJECT_NAMECHANGE, "name change"}},
                  static_cast<long>(event));
}

void Handle(DWORD event, HWND window, LONG child) {
    const char* name = EventName(event);
    if (event == EVENT_SYSTEM_DIALOGSTART) {
        dialogWindow = window;
        ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&dialog));
    }
    if (dialog == nullptr)
        return;
    std::fprintf(out, "event: %s %ld", name, child);
    if (event == EVENT_OBJECT_FOCUS)
        std::fprintf(out, " %s", Name(*dialog, child).c_str());
    std::fprintf(out, "\n");
    if (event == EVENT_SYSTEM_DIALOGSTART) {
        awaitedFocus = ReadDialog();
    } else if (event == EVENT_OBJECT_FOCUS && child == awaitedFocus) {
        awaitedFocus = 0;
        if (tabbed)
            std::fprintf(out, "focus after Tab: %s\n", FocusText().c_str());
        NextStep();
    } else if (event == EVENT_SYSTEM_DIALOGEND) {
        ::PostQuitMessage(0);
    }
}

struct Event {
    DWORD event;
    HWND window;
    LONG child;
};
std::deque<Event> events;
bool handling = false;

// Events that come while one is handled (its calls to the dialog let messages in) wait their turn.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    char className[32] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (EventName(event) == nullptr || object != OBJID_CLIENT || std::string(className) != "TfMessage")
        return;
    events.push_back({event, window, child});
    if (handling)
        return;
    handling = true;
    while (!events.empty()) {
        const Event next = events.front();
        events.pop_front();
        Handle(next.event, next.window, next.child);
    }
    handling = false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    out = std::fopen(argv[2], "wb");
    if (out == nullptr)
        return 2;
    ::CoInitialize(nullptr);
    std::fprintf(out, "code page %u\n", ::GetACP());
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, 0, 0,
                                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    ::SetEvent(platform::UniqueHandle(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1])).get());
    ::SetTimer(nullptr, 0, 30000, nullptr); // a dialog that never ends ends the wait
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
        ::DispatchMessageW(&message);
    ::UnhookWinEvent(hook);
    if (dialog != nullptr) {
        LONG count = 0;
        // The code depends on the system: RPC_E_DISCONNECTED, or an RPC error of the stub that went.
        std::fprintf(out, "after the end: %s\n",
                     FAILED(dialog->get_accChildCount(&count)) ? "fails" : "answers");
        dialog->Release();
    }
    std::fclose(out);
    ::CoUninitialize();
    return 0;
}
