#include "ui/message/message_accessible.h"

#include "ui/controls/mediabtn.h"
#include "ui/framework/app_host.h"
#include "ui/framework/image.h"
#include "ui/framework/label.h"
#include "ui/framework/wide_text.h"
#include "ui/message/message_form.h"

#include <oleacc.h>

namespace {

// The buttons' words are part of their bitmaps.
constexpr const char* kOkWord = "확인";
constexpr const char* kCancelWord = "취소";
constexpr const char* kPressWord = "누르기";
// Press of a button, posted so that it runs in the dialog's own loop rather than inside a reader's call.
constexpr UINT kPressMessage = WM_APP + 0x3E21;

RECT ScreenBounds(TControl& control) {
    RECT bounds = control.BoundsRect();
    ::MapWindowPoints(control.Parent()->Handle(), nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

} // namespace

std::wstring MessageAccessibility::Name() {
    return framework::Cp949ToWide(dialog_.lblTitle->Caption());
}

long MessageAccessibility::Role() {
    return ROLE_SYSTEM_DIALOG;
}

std::vector<framework::AccessibleItem> MessageAccessibility::Read(std::vector<TControl*>* controls) {
    std::vector<framework::AccessibleItem> items;
    auto add = [&](TControl& control, std::wstring name, long role, long state) {
        items.push_back({std::move(name), role, state, ScreenBounds(control), {}});
        if (controls != nullptr)
            controls->push_back(&control);
    };
    add(*dialog_.lblMessageMain, framework::Cp949ToWide(dialog_.lblMessageMain->Caption()),
        ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY);
    if (!dialog_.lblMessageSub->Caption().empty())
        add(*dialog_.lblMessageSub, framework::Cp949ToWide(dialog_.lblMessageSub->Caption()),
            ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY);
    if (!dialog_.imgInfo->Picture().Empty())
        add(*dialog_.imgInfo, Name(), ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY);
    // Enter confirms whichever button has the focus, so OK is the default one.
    for (TepBitmapButton* button : {dialog_.epBtnOK, dialog_.epBtnCancel}) {
        if (!button->Visible())
            continue;
        long state = STATE_SYSTEM_FOCUSABLE;
        if (button == dialog_.epBtnOK)
            state |= STATE_SYSTEM_DEFAULT;
        if (button->Focused())
            state |= STATE_SYSTEM_FOCUSED;
        add(*button, framework::Cp949ToWide(button == dialog_.epBtnOK ? kOkWord : kCancelWord),
            ROLE_SYSTEM_PUSHBUTTON, state);
        items.back().action = framework::Cp949ToWide(kPressWord);
    }
    return items;
}

std::vector<framework::AccessibleItem> MessageAccessibility::Items() {
    return Read(nullptr);
}

long MessageAccessibility::ChildOf(const TControl& control) {
    std::vector<TControl*> controls;
    Read(&controls);
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == &control)
            return static_cast<long>(i + 1);
    return 0;
}

void MessageAccessibility::Press(std::size_t index) noexcept {
    ShowingErrors([&] {
        std::vector<TControl*> controls;
        Read(&controls);
        if (index < controls.size())
            ::PostMessageA(dialog_.Handle(), kPressMessage, controls[index] == dialog_.epBtnOK ? 0 : 1, 0);
    });
}

bool MessageAccessibility::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETOBJECT) {
        result = server_.Answer(dialog_.Handle(), wParam, lParam);
        return result != 0;
    }
    if (message != kPressMessage)
        return false;
    TepBitmapButton* button = wParam == 0 ? dialog_.epBtnOK : dialog_.epBtnCancel;
    if (button->Visible())
        button->Click();
    result = 0;
    return true;
}

void MessageAccessibility::Shown(bool visible) {
    if (visible == shown_)
        return;
    shown_ = visible;
    HWND window = dialog_.Handle();
    framework::AccessibleServer::Notify(window, visible ? EVENT_SYSTEM_DIALOGSTART : EVENT_SYSTEM_DIALOGEND,
                                        CHILDID_SELF);
    if (!visible)
        return;
    for (TepBitmapButton* button : {dialog_.epBtnOK, dialog_.epBtnCancel})
        if (button->Focused())
            Changed(*button, TControlChange::Focused);
}

void MessageAccessibility::Changed(TControl& control, TControlChange change) {
    if (!shown_)
        return;
    // The title word names the dialog itself.
    const bool title = &control == dialog_.lblTitle;
    const long child = title ? CHILDID_SELF : ChildOf(control);
    if (title || child != 0)
        framework::AccessibleServer::Notify(
            dialog_.Handle(),
            change == TControlChange::Focused ? EVENT_OBJECT_FOCUS : EVENT_OBJECT_NAMECHANGE, child);
}
