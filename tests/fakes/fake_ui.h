#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The message dialog and the waiting-message step, recorded instead of shown.
namespace fakes {

struct ShownDialog {
    int Type = 0;
    std::string MainText;
    std::string SubText;
    std::uint8_t Buttons = 0;
    bool HasOwner = false;
};

struct UiRecord {
    std::vector<ShownDialog> Dialogs;
    int WaitingMessagesHandled = 0;
    // What happened, in order: "dialog", "messages", and what other fakes add ("sleep 200", "start").
    std::vector<std::string> Events;
    bool DialogsFail = false; // each dialog, once recorded, raises an error
};

UiRecord& Ui();
void ResetUi();

} // namespace fakes
