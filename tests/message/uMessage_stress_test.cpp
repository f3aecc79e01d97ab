// The real message dialog shown and closed a thousand times, each time with a screen reader's hold on its
// accessible object: each showing must give back every GDI and USER object it made, and the object it
// handed out must fail once the dialog is gone and go with the reader's last release.
#include "ui/message/uMessage.h"

#include "tests/support/dialog_keys.h"
#include "tests/support/gdi_count.h"
#include "tests/support/timer_ticks.h"
#include "tests/support/user_count.h"
#include "ui/framework/application.h"
#include "ui/message/message_form.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <windows.h>

#include <iostream>
#include <string>
#include <utility>

namespace {

// How a showing ends: the keys a user would press, or a close request from outside.
enum class Ending { Enter, Escape, Close };

// Ends the open dialog once it is up.
class Closer {
public:
    explicit Closer(Ending ending) : ending_(ending), ticks_(USER_TIMER_MINIMUM, [this] { Tick(); }) {}

    ~Closer() {
        if (reader_ != nullptr)
            reader_->Release();
    }

    bool Acted() const { return acted_; }
    // The dialog's accessible object as a reader took it before the end; the caller takes it over.
    IAccessible* TakeReader() { return std::exchange(reader_, nullptr); }

private:
    void Tick() {
        if (acted_ || fMessage == nullptr || !::IsWindowVisible(fMessage->Handle()))
            return;
        acted_ = true;
        ::AccessibleObjectFromWindow(fMessage->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                     __uuidof(IAccessible), reinterpret_cast<void**>(&reader_));
        switch (ending_) {
        case Ending::Enter:
            PostKeyToDialog(*fMessage, VK_RETURN);
            break;
        case Ending::Escape:
            PostKeyToDialog(*fMessage, VK_ESCAPE);
            break;
        case Ending::Close:
            ::PostMessageA(fMessage->Handle(), WM_CLOSE, 0, 0);
            break;
        }
    }

    Ending ending_;
    bool acted_ = false;
    IAccessible* reader_ = nullptr;
    TimerTicks ticks_;
};

// Showing `i` of a round that varies the type (an unknown one too), the buttons, the texts and the ending.
void ShowAndClose(int i) {
    const int type = 1 + i % 5;
    const std::uint8_t buttons = (i / 5) % 2 == 0 ? mbOk : mbOk | mbCancel;
    const auto ending = static_cast<Ending>(i % 3);
    const std::string main = i % 2 == 0 ? "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다."
                                        : "한 줄\n두 줄\n세 줄 " + std::to_string(i);
    const std::string sub = i % 4 == 0 ? "" : "프로그램이 정상작동하지 않을 수 있습니다.";

    Closer closer(ending);
    const int result = ShowMessageDialog(type, main, sub, buttons, nullptr);
    ASSERT_TRUE(closer.Acted()) << "showing " << i << " ended before it was answered";
    ASSERT_EQ(result, ending == Ending::Enter ? 1 : 2) << "showing " << i;
    ASSERT_EQ(fMessage, nullptr);
    IAccessible* reader = closer.TakeReader();
    ASSERT_NE(reader, nullptr) << "showing " << i << " gave no accessible object";
    LONG count = 0;
    EXPECT_EQ(reader->get_accChildCount(&count), RPC_E_DISCONNECTED) << "showing " << i;
    ASSERT_EQ(reader->Release(), 0u) << "showing " << i << ": the object outlived the reader's last release";
}

class DialogHygiene : public ::testing::Test {
protected:
    void SetUp() override { InitializeApplication(); }
    void TearDown() override { FinalizeApplication(); }
};

TEST_F(DialogHygiene, ADialogLeftBehindIsSeenByBothCounts) {
    auto showDialog = [] {
        auto* dialog = new TfMessage(nullptr);
        dialog->Show();
        return dialog;
    };
    delete showDialog(); // the system's window-drawing caches grow with the first ones shown
    const unsigned gdi = GdiObjectCount();
    const unsigned users = UserObjectCount();
    TfMessage* leaked = showDialog();
    EXPECT_GT(GdiObjectCount(), gdi);
    EXPECT_GT(UserObjectCount(), users);
    delete leaked;
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), users);
}

TEST_F(DialogHygiene, AThousandShowingsLeaveTheObjectCountsWhereTheyWere) {
    constexpr int WarmUp = 30; // every kind of showing once: fonts, cursors and classes are kept for good
    constexpr int Showings = 1000;
    for (int i = 0; i < WarmUp; ++i)
        ShowAndClose(i);
    const unsigned gdiBefore = GdiObjectCount();
    const unsigned userBefore = UserObjectCount();
    for (int i = 0; i < Showings; ++i) {
        ShowAndClose(i);
        if (HasFatalFailure())
            return;
    }
    const unsigned gdiAfter = GdiObjectCount();
    const unsigned userAfter = UserObjectCount();
    std::cout << Showings << " dialogs: GDI objects " << gdiBefore << " -> " << gdiAfter << ", USER objects "
              << userBefore << " -> " << userAfter << '\n';
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(userAfter, userBefore);
}

} // namespace
