#include "tests/fakes/fake_ui.h"

#include "platform/error.h"
#include "ui/framework/waiting_messages.h"
#include "ui/message/uMessage.h"

int ShowMessageDialog(int type, const std::string& mainText, const std::string& subText, std::uint8_t buttons,
                      TForm* owner) {
    fakes::Ui().Dialogs.push_back({type, mainText, subText, buttons, owner != nullptr});
    fakes::Ui().Events.push_back("dialog");
    if (fakes::Ui().DialogsFail)
        throw platform::Error("The dialog could not be shown");
    return 1;
}

void HandleWaitingMessages() {
    ++fakes::Ui().WaitingMessagesHandled;
    fakes::Ui().Events.push_back("messages");
}
