#include "ui/framework/application.h"

#include "ui/framework/form.h"
#include "ui/framework/waiting_messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeApplication();
        Application->OnException = TEvent<void(TObject*, const std::exception&)>(
            "Record", [this](TObject*, const std::exception& error) { errors.push_back(error.what()); });
    }
    void TearDown() override {
        Application->OnException = {};
        // Leaves no quit message behind for the next test.
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ;
    }
    std::vector<std::string> errors;
};

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText("Failed to set data for 'Key'"), "Failed to set data for 'Key'");
    EXPECT_EQ(ErrorBoxText("abc"), "abc.");
    EXPECT_EQ(ErrorBoxText("done."), "done.");
    EXPECT_EQ(ErrorBoxText("what!"), "what!");
    EXPECT_EQ(ErrorBoxText("path-"), "path-");
    EXPECT_EQ(ErrorBoxText("path/"), "path/.");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("오류"), "오류."); // a CP949 trail byte sorts after "."
}

TEST_F(ApplicationTest, WindowExistsFromStartWithTheProgramNameAsTitle) {
    ASSERT_TRUE(::IsWindow(Application->Handle()));
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
    EXPECT_EQ(Application->Title(), "application_test");
    EXPECT_EQ(WindowText(Application->Handle()), L"application_test");

    Application->SetTitle("젤바노미보라");
    EXPECT_EQ(WindowText(Application->Handle()), L"\uC824\uBC14\uB178\uBBF8\uBCF4\uB77C");
    Application->SetTitle("application_test");
}

class TCreatedForm : public TForm {
public:
    explicit TCreatedForm(TComponent* owner) : TForm(owner) {
        OnCreate = TNotifyEvent("FormCreate", [this](TObject*) { FormCreate(); });
    }
    static TCreatedForm* reference;
    static bool throwOnCreate;
    TCreatedForm* seenReference = nullptr;
    TForm* seenMainForm = reinterpret_cast<TForm*>(1);

private:
    void FormCreate() {
        seenReference = reference;
        seenMainForm = Application->MainForm();
        if (throwOnCreate)
            throw std::runtime_error("Failed to set data for 'Path'");
    }
};
TCreatedForm* TCreatedForm::reference = nullptr;
bool TCreatedForm::throwOnCreate = false;

TEST_F(ApplicationTest, CreateFormAssignsTheReferenceBeforeTheHandlerAndMakesTheMainFormAfter) {
    TCreatedForm::reference = nullptr;
    TCreatedForm::throwOnCreate = false;
    Application->CreateForm(TCreatedForm::reference);
    TCreatedForm* form = TCreatedForm::reference;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->seenReference, form);
    EXPECT_EQ(form->seenMainForm, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->Owner(), Application);

    TCreatedForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), form) << "only the first form becomes the main form";
    delete second;
    delete form;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, AnErrorInTheCreationHandlerGoesToTheErrorBoxAndCreationCompletes) {
    TCreatedForm::reference = nullptr;
    TCreatedForm::throwOnCreate = true;
    Application->CreateForm(TCreatedForm::reference);
    TCreatedForm::throwOnCreate = false;
    ASSERT_NE(TCreatedForm::reference, nullptr);
    EXPECT_EQ(Application->MainForm(), TCreatedForm::reference);
    EXPECT_EQ(errors, std::vector<std::string>{"Failed to set data for 'Path'"});
    delete TCreatedForm::reference;
}

TEST_F(ApplicationTest, RunReturnsAtOnceWithoutAMainForm) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
    ::PostQuitMessage(0); // ends a loop that should not have run
    Application->Run();
    MSG message;
    EXPECT_TRUE(::PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "Run handled no message";
    ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ApplicationTest, WaitingMessagesAreHandledAndAnErrorInAHandlerStaysInsideTheWindowProcedure) {
    class TThrowingForm : public TForm {
    public:
        using TForm::TForm;
        int handled = 0;

    protected:
        LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_APP + 1) {
                ++handled;
                return 0;
            }
            if (message == WM_APP + 2)
                throw std::runtime_error("broken handler");
            return TForm::WndProc(message, wParam, lParam);
        }
    };
    auto* form = new TThrowingForm(nullptr);
    ::PostMessageW(form->Handle(), WM_APP + 1, 0, 0);
    ::PostMessageW(form->Handle(), WM_APP + 1, 0, 0);
    HandleWaitingMessages();
    EXPECT_EQ(form->handled, 2);

    EXPECT_EQ(::SendMessageW(form->Handle(), WM_APP + 2, 0, 0), 0);
    EXPECT_EQ(errors, std::vector<std::string>{"broken handler"});
    delete form;
}

TEST_F(ApplicationTest, ShowModalReturnsTheModalResultWithTheOwnerDisabledMeanwhile) {
    auto* owner = new TForm(nullptr);
    owner->SetBorderStyle(TBorderStyle::bsNone);
    owner->Show();
    auto* dialog = new TForm(owner);
    dialog->SetBorderStyle(TBorderStyle::bsNone);
    bool ownerEnabledDuring = true;
    // The posted message arrives inside the modal loop; a key sets the result as a button would.
    dialog->OnKeyDown = TKeyEvent("Key", [&](TObject*, WORD&, TShiftState) {
        ownerEnabledDuring = ::IsWindowEnabled(owner->Handle());
        dialog->SetModalResult(mrCancel);
    });
    dialog->OnShow =
        TNotifyEvent("Show", [&](TObject*) { ::PostMessageW(dialog->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(::IsWindowVisible(dialog->Handle()));

    // Closing a modal form ends its showing with the cancel result.
    dialog->OnKeyDown = TKeyEvent("Key", [&](TObject*, WORD&, TShiftState) { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    // A zero result keeps the loop going; the next non-zero one ends it.
    int keys = 0;
    dialog->OnKeyDown = TKeyEvent("Key", [&](TObject*, WORD&, TShiftState) {
        dialog->SetModalResult(++keys == 1 ? mrNone : mrOk);
        if (keys == 1)
            ::PostMessageW(dialog->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(keys, 2);
    delete owner;
}

// The application stays terminated from here on: these come last.

// The application window is the taskbar entry while the loop runs; a program whose end was asked for
// before its loop never flashes one.
TEST_F(ApplicationTest, ClosingTheMainFormEndsTheLoopAndItsTaskbarEntry) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    std::vector<TCloseAction> actions;
    std::vector<bool> entryShown;
    form->OnClose =
        TCloseEvent("FormClose", [&](TObject*, TCloseAction& action) { actions.push_back(action); });
    form->OnShow = TNotifyEvent("FormShow", [&](TObject*) {
        entryShown.push_back(::IsWindowVisible(Application->Handle()) != FALSE);
        ::PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(actions, std::vector<TCloseAction>{TCloseAction::caFree});
    EXPECT_FALSE(::IsWindowVisible(Application->Handle())) << "the entry goes with the loop";

    form->Hide();
    Application->Run();
    EXPECT_EQ(entryShown, (std::vector<bool>{true, false}));
    delete form;
}

TEST_F(ApplicationTest, ClosingTheApplicationWindowClosesTheMainFormAndKeepsTheWindow) {
    EXPECT_EQ(::SendMessageW(Application->Handle(), WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(::IsWindow(Application->Handle())) << "without a main form too";

    TForm* form = nullptr;
    Application->CreateForm(form);
    const HWND formWindow = form->Handle();
    std::vector<TCloseAction> actions;
    form->OnClose =
        TCloseEvent("FormClose", [&](TObject*, TCloseAction& action) { actions.push_back(action); });
    ::SendMessageW(Application->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(actions, std::vector<TCloseAction>{TCloseAction::caFree});
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop is asked to end";
    EXPECT_TRUE(::IsWindow(Application->Handle()));
    EXPECT_TRUE(::IsWindow(formWindow)) << "the main form's window outlives the request";
    delete form;
}

TEST_F(ApplicationTest, AQuitMessageEndsAModalShowingAndTheApplication) {
    auto* dialog = new TForm(nullptr);
    dialog->OnShow = TNotifyEvent("Show", [&](TObject*) { Application->Terminate(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(Application->Terminated());
    delete dialog;
}

} // namespace
