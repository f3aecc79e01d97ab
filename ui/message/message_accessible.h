#pragma once

#include "ui/framework/accessible.h"
#include "ui/framework/control.h"

class TfMessage;

// The message dialog as a screen reader reads it: a dialog named by its title word, holding its texts,
// its picture and its shown buttons in reading order, with OK the default button.
class MessageAccessibility final : public framework::AccessibleView {
public:
    explicit MessageAccessibility(TfMessage& dialog) : dialog_(dialog), server_(*this) {}

    std::wstring Name() override;
    long Role() override;
    std::vector<framework::AccessibleItem> Items() override;
    void Press(std::size_t index) noexcept override;

    // The dialog's window messages: WM_GETOBJECT and the press that Press posted. False for others.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The dialog was shown or hidden; a control of it took the focus or changed its text.
    void Shown(bool visible);
    void Changed(TControl& control, TControlChange change);

private:
    // The items, and the control of each in `controls` when asked for.
    std::vector<framework::AccessibleItem> Read(std::vector<TControl*>* controls);
    // The child id of `control`, or 0 when the reader does not see it.
    long ChildOf(const TControl& control);

    TfMessage& dialog_;
    framework::AccessibleServer server_;
    bool shown_ = false;
};
