// The real message dialog under Wine, driven by real keyboard and mouse input.
#include "ui/message/uMessage.h"

#include "platform/win32/module_file_path.h"
#include "tests/support/timer_ticks.h"
#include "tests/support/without_cp949.h"
#include "tools/scenario/harness.h"

#include "ui/controls/mediabtn.h"
#include "ui/framework/application.h"
#include "ui/framework/bevel.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/image.h"
#include "ui/framework/label.h"
#include "ui/framework/panel.h"
#include "ui/message/message_form.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// Steps run one per timer tick inside the dialog's modal loop. A script that runs out while the dialog
// is still open closes it and fails, so no test can hang.
class Script {
public:
    explicit Script(std::vector<std::function<void()>> steps)
        : steps_(steps.begin(), steps.end()), ticks_(150, [this] { Tick(); }) {}

private:
    void Tick() {
        if (steps_.empty()) {
            if (fMessage != nullptr && ++idleTicks_ > 20) {
                ADD_FAILURE() << "the dialog was still open when the script ended";
                ::PostMessageW(fMessage->Handle(), WM_CLOSE, 0, 0);
            }
            return;
        }
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
    }

    std::deque<std::function<void()>> steps_;
    int idleTicks_ = 0;
    TimerTicks ticks_;
};

void Press(WORD key) {
    if (fMessage != nullptr)
        ::SetForegroundWindow(fMessage->Handle());
    scenario::SendKeys({}, key);
}

void ClickWindow(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

auto Click(TepBitmapButton* TfMessage::*button) {
    return [button] { ClickWindow(((*fMessage).*button)->Handle()); };
}

auto CloseFromOutside() {
    return [] { ::PostMessageW(fMessage->Handle(), WM_CLOSE, 0, 0); };
}

void Idle() {}

RECT WorkArea() {
    RECT area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

POINT CentreOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT WindowRect(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return r;
}

class MessageDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeApplication();
        ::SetCursorPos(0, 0);
    }
    void TearDown() override { EXPECT_EQ(fMessage, nullptr); }
};

TEST_F(MessageDialogTest, ButtonsAndKeysDecideTheResult) {
    {
        Script script({Idle, Click(&TfMessage::epBtnOK)});
        EXPECT_EQ(ShowMessageDialog(mtConfirm, "확인하시겠습니까?", "", mbOk | mbCancel, nullptr), 1);
    }
    {
        Script script({Idle, Click(&TfMessage::epBtnCancel)});
        EXPECT_EQ(ShowMessageDialog(mtConfirm, "확인하시겠습니까?", "", mbOk | mbCancel, nullptr), 2);
    }
    {
        // Enter confirms whichever button has the focus; Cancel's own click does not undo that.
        Script script({Idle, [] { fMessage->epBtnCancel->SetFocus(); }, [] { Press(VK_RETURN); }});
        EXPECT_EQ(ShowMessageDialog(mtConfirm, "확인하시겠습니까?", "", mbOk | mbCancel, nullptr), 1);
        EXPECT_EQ(KeyResult, krEnter);
    }
    {
        Script script({Idle, [] { Press(VK_ESCAPE); }});
        EXPECT_EQ(ShowMessageDialog(mtCaution, "주의", "", mbOk | mbCancel, nullptr), 2);
        EXPECT_EQ(KeyResult, krEscape);
    }
    {
        Script script({Idle, CloseFromOutside()});
        EXPECT_EQ(ShowMessageDialog(mtWarning, "경고", "", mbOk, nullptr), 2);
        EXPECT_EQ(KeyResult, krNone);
    }
}

// Tab, Shift+Tab and the arrow keys move the focus between the buttons, round from the last to the first.
TEST_F(MessageDialogTest, TabAndTheArrowKeysMoveTheFocusBetweenTheButtons) {
    std::string focus;
    auto note = [&] {
        focus += fMessage->epBtnOK->Focused() ? "O" : fMessage->epBtnCancel->Focused() ? "C" : "-";
    };
    auto key = [](WORD pressed, bool shift = false) {
        return [pressed, shift] {
            ::SetForegroundWindow(fMessage->Handle());
            if (shift)
                scenario::SendKeys({VK_SHIFT}, pressed);
            else
                scenario::SendKeys({}, pressed);
        };
    };
    Script script({Idle, note, key(VK_TAB), note, key(VK_TAB), note, key(VK_TAB, true), note, key(VK_RIGHT),
                   note, key(VK_UP), note, CloseFromOutside()});
    ShowMessageDialog(mtConfirm, "확인하시겠습니까?", "", mbOk | mbCancel, nullptr);
    EXPECT_EQ(focus, "OCOCOC");
}

TEST_F(MessageDialogTest, AltF4IsSwallowed) {
    bool stillOpen = false;
    Script script({Idle,
                   [] {
                       ::SetForegroundWindow(fMessage->Handle());
                       scenario::SendKeys({VK_MENU}, VK_F4);
                   },
                   Idle, Idle,
                   [&] { stillOpen = fMessage != nullptr && ::IsWindowVisible(fMessage->Handle()); },
                   Click(&TfMessage::epBtnOK)});
    EXPECT_EQ(ShowMessageDialog(mtInformation, "안내", "", mbOk, nullptr), 1);
    EXPECT_TRUE(stillOpen);
}

// A message shown from a handler while another dialog is open (an updater notice during a failure
// message, say): the open dialog stays the current one and keeps its own keyboard result.
TEST_F(MessageDialogTest, ADialogShownWhileAnotherIsOpenLeavesTheOuterOneIntact) {
    TfMessage* outer = nullptr;
    TfMessage* currentAfterInner = nullptr;
    int inner = 0;
    Script script({Idle,
                   [&] {
                       outer = fMessage;
                       inner = ShowMessageDialog(mtCaution, "안쪽", "", mbOk, nullptr);
                       currentAfterInner = fMessage;
                   },
                   Idle, [] { Press(VK_RETURN); }, Idle, Idle,
                   [&] { ClickWindow(outer->epBtnCancel->Handle()); }});
    EXPECT_EQ(ShowMessageDialog(mtConfirm, "바깥쪽", "", mbOk | mbCancel, nullptr), 2);
    EXPECT_EQ(inner, 1);
    EXPECT_NE(outer, nullptr);
    EXPECT_EQ(currentAfterInner, outer);
}

// The title band moves the window with the left button only.
TEST_F(MessageDialogTest, TheTitleBandDragsTheWindow) {
    auto mouse = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ::SendInput(1, &input, sizeof input);
    };
    auto grab = [] {
        const RECT r = WindowRect(fMessage->Handle());
        ::SetCursorPos(r.left + 60, r.top + 20); // on imgTopLeft
    };
    RECT before{}, afterRight{}, afterLeft{};
    Script script({Idle, [&] { before = WindowRect(fMessage->Handle()); },
                   [&] {
                       grab();
                       mouse(MOUSEEVENTF_RIGHTDOWN);
                   },
                   [&] { ::SetCursorPos(before.left + 60 + 40, before.top + 20 + 30); },
                   [&] { mouse(MOUSEEVENTF_RIGHTUP); }, Idle,
                   [&] {
                       afterRight = WindowRect(fMessage->Handle());
                       grab();
                       mouse(MOUSEEVENTF_LEFTDOWN);
                   },
                   [&] { ::SetCursorPos(before.left + 60 + 40, before.top + 20 + 30); },
                   [&] { ::SetCursorPos(before.left + 60 + 40, before.top + 20 + 30); },
                   [&] { mouse(MOUSEEVENTF_LEFTUP); }, Idle,
                   [&] { afterLeft = WindowRect(fMessage->Handle()); }, CloseFromOutside()});
    ShowMessageDialog(mtInformation, "끌기", "", mbOk, nullptr);
    EXPECT_EQ(afterRight.left, before.left);
    EXPECT_EQ(afterRight.top, before.top);
    EXPECT_EQ(afterLeft.left, before.left + 40);
    EXPECT_EQ(afterLeft.top, before.top + 30);
}

TEST_F(MessageDialogTest, OkAloneIsCentredInItsPanel) {
    int okLeft = -1;
    bool cancelVisible = true;
    Script script({[&] {
                       okLeft = fMessage->epBtnOK->Left();
                       cancelVisible = ::IsWindowVisible(fMessage->epBtnCancel->Handle()) != FALSE;
                   },
                   Click(&TfMessage::epBtnOK)});
    EXPECT_EQ(ShowMessageDialog(mtConfirm, "한 줄", "", mbOk, nullptr), 1);
    EXPECT_EQ(okLeft, 34);
    EXPECT_FALSE(cancelVisible);
}

// A message too wide and too tall for the dialog takes its largest size, 580 x 241, and the controls
// stand where the design's sizes put them: the frame 29 + 523 wide from 16 down to the band's 120 (241
// less the bands, 42 and 32, the buttons' 24 and 23 of margins), the button panel of 55 + 55 + 12 centred
// at 290 - 61 and 12 below the frame, the bottom band and the right edge against the far sides.
TEST_F(MessageDialogTest, AnOversizedMessageTakesTheLargestDialogLaidOutByHand) {
    std::string lines;
    for (int i = 0; i < 8; ++i)
        lines += "가나다라마바사아자차카타파하 가나다라마바사아자차카타파하 가나다라마바사아자차카타파하\r\n";
    Script script({[] {
                       TfMessage& d = *fMessage;
                       EXPECT_EQ(d.ClientWidth(), 580);
                       EXPECT_EQ(d.ClientHeight(), 241);
                       EXPECT_EQ(d.bvlFrame->Left(), 29);
                       EXPECT_EQ(d.bvlFrame->Top(), 16);
                       EXPECT_EQ(d.bvlFrame->Width(), 523);
                       EXPECT_EQ(d.bvlFrame->Height(), 120);
                       EXPECT_EQ(d.pnlBtn->Left(), 229);
                       EXPECT_EQ(d.pnlBtn->Top(), 190);
                       EXPECT_EQ(d.pnlBtn->Width(), 122);
                       EXPECT_EQ(d.epBtnCancel->Left(), 66);
                       EXPECT_EQ(d.pnlBottom->Top(), 209);
                       EXPECT_EQ(d.imgRight->Left(), 567);
                       EXPECT_EQ(d.imgTopRight->Left(), 450);
                       EXPECT_EQ(d.imgInfo->Left(), 36);
                       EXPECT_EQ(d.imgInfo->Top(), 23);
                       EXPECT_EQ(d.lblMessageMain->Left(), 84);
                       EXPECT_EQ(d.imgInfo->Width(), 41);
                       EXPECT_EQ(d.imgTitle->Height(), 38);
                   },
                   CloseFromOutside()});
    ShowMessageDialog(mtInformation, lines, "부가 설명", mbOk | mbCancel, nullptr);
}

TEST_F(MessageDialogTest, UnknownTypeKeepsTheDesignTitleAndShowsNoPictures) {
    std::string title;
    bool titleEmpty = false;
    bool infoEmpty = false;
    int mainLeft = 0;
    Script script({[&] {
                       title = fMessage->lblTitle->Caption();
                       titleEmpty = fMessage->imgTitle->Picture().Empty();
                       infoEmpty = fMessage->imgInfo->Picture().Empty();
                       mainLeft = fMessage->lblMessageMain->Left();
                   },
                   CloseFromOutside()});
    ShowMessageDialog(7, "알 수 없는 종류", "", mbOk, nullptr);
    EXPECT_EQ(title, "메세지창");
    EXPECT_TRUE(titleEmpty);
    EXPECT_TRUE(infoEmpty);
    EXPECT_EQ(mainLeft, 84); // the empty icon keeps its place: the rest is laid out as usual
}

TEST_F(MessageDialogTest, CornersAreSeeThrough) {
    using GetAttributes = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    const auto getAttributes = reinterpret_cast<GetAttributes>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
    Script script({[&] {
                       HWND window = fMessage->Handle();
                       EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
                       if (getAttributes != nullptr) {
                           COLORREF key = 0;
                           DWORD flags = 0;
                           ASSERT_TRUE(getAttributes(window, &key, nullptr, &flags));
                           EXPECT_EQ(key, RGB(255, 0, 255));
                           EXPECT_NE(flags & LWA_COLORKEY, 0u);
                       }
                       const framework::UniqueGdiObject owned(::CreateRectRgn(0, 0, 0, 0));
                       const auto region = static_cast<HRGN>(owned.get());
                       ASSERT_NE(::GetWindowRgn(window, region), ERROR);
                       const int w = fMessage->Width();
                       const int h = fMessage->Height();
                       EXPECT_FALSE(::PtInRegion(region, 0, h / 2)); // the outer line is cut off
                       EXPECT_FALSE(::PtInRegion(region, 1, 1));     // and the corners rounded
                       EXPECT_FALSE(::PtInRegion(region, w - 2, h - 2));
                       EXPECT_TRUE(::PtInRegion(region, 1, h / 2));
                       EXPECT_TRUE(::PtInRegion(region, 5, 5));
                       EXPECT_TRUE(::PtInRegion(region, w - 3, h / 2));
                       RECT box;
                       ::GetRgnBox(region, &box);
                       EXPECT_EQ(box.left, 1);
                       EXPECT_EQ(box.top, 1);
                       // GDI leaves the right and bottom edge of a rounded region out.
                       EXPECT_EQ(box.right, w - 2);
                       EXPECT_EQ(box.bottom, h - 2);
                       // The skin's corner pixels carry the key colour.
                       EXPECT_EQ(fMessage->imgTopLeft->Picture().Canvas().Pixel(0, 0), 0xFF00FFu);
                       EXPECT_EQ(fMessage->imgBottomRight->Picture().Canvas().Pixel(24, 31), 0xFF00FFu);
                   },
                   CloseFromOutside()});
    ShowMessageDialog(mtCaution, "모서리", "", mbOk, nullptr);
}

TEST_F(MessageDialogTest, HiddenOwnerCentresOnTheScreen) {
    TForm* owner = TForm::Create<TForm>(nullptr);
    owner->SetBounds(10, 10, 200, 150);
    POINT centre{};
    bool owned = false;
    Script script({[&] {
                       centre = CentreOf(WindowRect(fMessage->Handle()));
                       owned = fMessage->OwnerForm() == owner;
                   },
                   CloseFromOutside()});
    ShowMessageDialog(mtInformation, "숨은 주인", "", mbOk, owner);
    const POINT screen = CentreOf(WorkArea());
    EXPECT_LE(std::abs(centre.x - screen.x), 1);
    EXPECT_LE(std::abs(centre.y - screen.y), 1);
    EXPECT_TRUE(owned);
    EXPECT_EQ(owner->ComponentCount(), 0); // the dialog is gone from its owner
    delete owner;
}

TEST_F(MessageDialogTest, StayOnTopOwnerCentresTheDialogAndStaysOnTop) {
    TForm* owner = TForm::Create<TForm>(nullptr);
    owner->SetBorderStyle(TBorderStyle::bsNone);
    owner->SetFormStyle(TFormStyle::fsStayOnTop);
    owner->SetBounds(40, 60, 400, 300);
    owner->Show();
    POINT centre{};
    Script script({[&] {
                       centre = CentreOf(WindowRect(fMessage->Handle()));
                       // Something takes the owner off the top while the dialog is open.
                       ::SetWindowPos(owner->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                   },
                   CloseFromOutside()});
    ShowMessageDialog(mtInformation, "맨 위의 주인", "", mbOk, owner);
    EXPECT_LE(std::abs(centre.x - 240), 1);
    EXPECT_LE(std::abs(centre.y - 210), 1);
    EXPECT_NE(::GetWindowLongW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(::IsWindowEnabled(owner->Handle()));
    delete owner;
}

TEST_F(MessageDialogTest, AnOwnerFreedWhileTheDialogIsOpenLeavesTheDialogWorking) {
    TForm* owner = TForm::Create<TForm>(nullptr);
    owner->SetFormStyle(TFormStyle::fsStayOnTop);
    owner->SetBounds(40, 60, 400, 300);
    owner->Show();
    bool let_go = false;
    Script script({[&] {
                       delete owner;
                       let_go = fMessage != nullptr && fMessage->OwnerForm() == nullptr;
                   },
                   [] { ::PostMessageW(fMessage->Handle(), WM_KEYDOWN, VK_RETURN, 0); }});
    EXPECT_EQ(ShowMessageDialog(mtInformation, "주인이 먼저 간다", "", mbOk, owner), 1);
    EXPECT_TRUE(let_go) << "the dialog still held a freed form";
    EXPECT_EQ(fMessage, nullptr);
}

// --- F1 -------------------------------------------------------------------------------------------

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The help viewer's window, as the suite's help viewer names it: on NT its title is Unicode whatever
// the system's code page (the rig's is not 949).
class FakeHelpWindow {
public:
    FakeHelpWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = HelpWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HH Parent";
        ::RegisterClassW(&wc);
        window_ = ::CreateWindowExW(0, L"HH Parent", L"Mivora란?", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~FakeHelpWindow() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Points the shell's "open" of .chm files, and of folders, at the stub viewer, which writes its command
// line to the marker file, and puts both associations back afterwards.
class HelpAssociation {
public:
    HelpAssociation() : chm_(".chm", "MivoraTestHelp"), folder_("Folder\\shell\\open\\command", Command()) {
        ::RegSetValueA(HKEY_CLASSES_ROOT, "MivoraTestHelp\\shell\\open\\command", REG_SZ, Command().c_str(),
                       0);
        ::SetEnvironmentVariableA("MIVORA_HELP_MARKER", Marker().c_str());
        ::DeleteFileA(Marker().c_str());
    }
    ~HelpAssociation() { ::DeleteFileA(Marker().c_str()); }
    static std::string Marker() { return ModuleDirectory(nullptr) + "help_viewer_stub.marker"; }
    // The stub's command line once every stub the shell started has ended; empty when none ran.
    static std::string Opened() {
        for (const scenario::Started& stub : scenario::RunningPrograms("help_viewer_stub.exe"))
            scenario::WaitForExit(stub, 10000);
        std::ifstream in(Marker());
        std::string line;
        std::getline(in, line);
        return line;
    }

private:
    static std::string Command() { return "\"" + ModuleDirectory(nullptr) + "help_viewer_stub.exe\" \"%1\""; }

    // One default value under HKEY_CLASSES_ROOT, set for the test and put back after it.
    class Value {
    public:
        Value(const char* key, const std::string& text) : key_(key) {
            char old[512] = {};
            LONG size = sizeof old;
            hadOld_ = ::RegQueryValueA(HKEY_CLASSES_ROOT, key, old, &size) == ERROR_SUCCESS;
            old_ = old;
            ::RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, text.c_str(), 0);
        }
        ~Value() {
            if (hadOld_)
                ::RegSetValueA(HKEY_CLASSES_ROOT, key_, REG_SZ, old_.c_str(), 0);
            else
                ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key_);
        }
        Value(const Value&) = delete;
        Value& operator=(const Value&) = delete;

    private:
        const char* key_;
        bool hadOld_ = false;
        std::string old_;
    };
    Value chm_;
    Value folder_;
};

class HelpFile {
public:
    HelpFile() { std::ofstream(Path()) << "help"; }
    ~HelpFile() { ::DeleteFileA(Path().c_str()); }
    static std::string Path() { return ModuleDirectory(nullptr) + "Mivora.chm"; }
};

void ShowAndPressF1() {
    Script script({Idle, [] { Press(VK_F1); }, Idle, Idle, CloseFromOutside()});
    ShowMessageDialog(mtInformation, "도움말", "", mbOk, nullptr);
}

TEST_F(MessageDialogTest, F1BringsAnOpenHelpWindowForwardAlsoWithoutCodePage949) {
    WithoutCp949 western;
    HelpAssociation association;
    HelpFile file;
    FakeHelpWindow help;
    HWND foreground = nullptr;
    Script script({Idle, [] { Press(VK_F1); }, Idle, [&] { foreground = ::GetForegroundWindow(); },
                   CloseFromOutside()});
    ShowMessageDialog(mtInformation, "도움말", "", mbOk, nullptr);
    EXPECT_EQ(foreground, help.get());
    EXPECT_EQ(HelpAssociation::Opened(), "");
}

TEST_F(MessageDialogTest, F1OpensTheHelpFileBesideTheProgram) {
    HelpAssociation association;
    HelpFile file;
    ShowAndPressF1();
    const std::string opened = HelpAssociation::Opened();
    EXPECT_NE(opened.find("Mivora.chm"), std::string::npos) << opened;
}

// A directory of the help file's name is no help file, but the shell would open it as a folder: only
// the dialog's own existence check keeps F1 quiet there.
TEST_F(MessageDialogTest, F1DoesNothingWithoutTheHelpFile) {
    HelpAssociation association;
    ::DeleteFileA(HelpFile::Path().c_str());
    ASSERT_TRUE(::CreateDirectoryA(HelpFile::Path().c_str(), nullptr));
    ShowAndPressF1();
    ::RemoveDirectoryA(HelpFile::Path().c_str());
    EXPECT_EQ(HelpAssociation::Opened(), "");
}

// --- The look ---------------------------------------------------------------------------------------

struct Look {
    const char* name;
    int type;
    const char* main;
    const char* sub;
    std::uint8_t buttons;
};

// The four types, and every message that the gate itself shows.
const Look kLooks[] = {
    {"type1_confirm", mtConfirm, "변경된 내용을 저장하시겠습니까?", "저장하지 않으면 변경 내용이 사라집니다.",
     mbOk | mbCancel},
    {"type2_information", mtInformation, "최신 버전을 사용하고 있습니다.", "", mbOk},
    {"type3_caution", mtCaution, "휴대폰 연결을 확인하십시오.\r\n케이블이 빠져 있을 수 있습니다.",
     "연결 후 다시 시도하십시오.", mbOk},
    {"type4_warning", mtWarning, "파일을 삭제할 수 없습니다.", "다른 프로그램이 사용 중입니다.",
     mbOk | mbCancel},
    {"update_dll_load", mtCaution, "라이브 업데이트 DLL 로딩에 실패하였습니다.", "", mbOk},
    {"update_web_connect", mtCaution, "라이브 업데이트 웹 접속에 실패하였습니다.", "", mbOk},
    {"update_disconnect", mtCaution, "라이브 업데이트 접속해제에 실패하였습니다.", "", mbOk},
    {"update_no_updater", mtCaution, "라이브 업데이트 실행파일을 찾을 수 없습니다.", "", mbOk},
    {"os_refused", mtWarning, "Mivora 를 실행할 수 없는 운영체제입니다.",
     "Windows XP 와 Windows 2000 에서만 실행이 가능합니다.", mbOk},
    {"verdict_1006", mtCaution, "라이브 업데이트 작업중 서버와의 연결이 종료되었습니다.",
     "프로그램이 정상작동하지 않을 수 있습니다.", mbOk},
    {"verdict_1007", mtWarning, "등록되지않은 프로그램이 연결되었습니다.", "프로그램을 실행할 수 없습니다.",
     mbOk},
    {"verdict_1102", mtWarning, "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.",
     "프로그램을 실행할 수 없습니다.", mbOk},
    {"verdict_1103", mtCaution, "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.",
     "프로그램이 정상작동하지 않을 수 있습니다.", mbOk},
};

// Saves a screenshot of each look; message_dialog_look compares them with the committed references,
// each of which was looked at by eye (title word, pictures, texts, buttons) before it was committed.
TEST_F(MessageDialogTest, ScreenshotsOfEveryLook) {
    ASSERT_NE(std::getenv("MIVORA_SCREENSHOTS"), nullptr) << "run under scripts/rig.sh";
    for (const Look& look : kLooks) {
        std::string path;
        Script script({Idle, [] { ::UpdateWindow(fMessage->Handle()); }, Idle,
                       [&] {
                           path = scenario::SaveScreenshot(fMessage->Handle(),
                                                           std::string("message_") + look.name);
                       },
                       CloseFromOutside()});
        ShowMessageDialog(look.type, look.main, look.sub, look.buttons, nullptr);
        EXPECT_FALSE(path.empty()) << look.name << ": the screenshot was not written whole";
    }
}

} // namespace
