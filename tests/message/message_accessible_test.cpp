// The message dialog as a screen reader in another process reads it: the dialog and the client each run
// in a process of their own.
#include "platform/win32/unique_resource.h"
#include "tests/support/timer_ticks.h"
#include "tools/scenario/processes.h"
#include "tools/scenario/utf8.h"
#include "tools/scenario/window_search.h"
#include "ui/framework/application.h"
#include "ui/framework/label.h"
#include "ui/message/message_form.h"
#include "ui/message/uMessage.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using scenario::U8;

struct Reading {
    DWORD dialogResult = 0;
    std::string printout;
};

// Starts the client, lets it start listening, then shows the dialog; both end once OK was pressed.
Reading ReadDialog(const char* kind) {
    Reading reading;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "accessible_client_" + kind + ".txt";
    const std::string readyName = "MivoraAccessibleClient" + std::to_string(::GetCurrentProcessId());
    const platform::UniqueHandle ready(::CreateEventA(nullptr, TRUE, FALSE, readyName.c_str()));

    const scenario::Started client =
        scenario::StartBuiltProgram("accessible_client.exe", readyName + " \"" + output + "\"");
    EXPECT_TRUE(client.Process) << "accessible_client.exe did not start";
    if (!client.Process || ::WaitForSingleObject(ready.get(), 30000) != WAIT_OBJECT_0)
        return reading;
    const scenario::Started host = scenario::StartBuiltProgram(
        "accessible_host.exe", std::string(kind) + " " + std::to_string(::GetACP()));
    EXPECT_TRUE(host.Process) << "accessible_host.exe did not start";
    if (!host.Process)
        return reading;
    EXPECT_TRUE(scenario::WaitForExit(host, 60000));
    EXPECT_TRUE(scenario::WaitForExit(client, 60000));
    ::GetExitCodeProcess(host.Process.get(), &reading.dialogResult);
    std::ifstream file(output, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    reading.printout = text.str();
    std::cout << kind << " dialog:\n" << reading.printout;
    return reading;
}

// Shaped like the system's own message box: a dialog, static texts, a picture and named push buttons,
// the default one focused; its default action presses OK, and the object it leaves behind fails.
const std::string CautionReading = U8(u8R"(event: dialog start 0
dialog "주의" role dialog state 1048576 focusable
  1 "라이브 업데이트 DLL 로딩에 실패하였습니다." role static text state 64 read-only at 84,72 224x14
  2 "주의" role graphic state 64 read-only at 36,63 41x32
  3 "확인" role push button state 1048836 focused default focusable at 161,114 55x24 action "누르기"
navigation: 1 2 3
focus: 3 확인
event: focus 3 확인
press OK: 00000000
event: dialog end 0
after the end: fails
)");

const std::string WarningReading = U8(u8R"(event: dialog start 0
dialog "경고" role dialog state 1048576 focusable
  1 "등록되지않은 프로그램이 연결되었습니다." role static text state 64 read-only at 84,65 208x14
  2 "프로그램을 실행할 수 없습니다." role static text state 64 read-only at 84,94 156x14
  3 "경고" role graphic state 64 read-only at 36,65 41x32
  4 "확인" role push button state 1048836 focused default focusable at 128,133 55x24 action "누르기"
  5 "취소" role push button state 1048576 focusable at 193,133 55x24 action "누르기"
navigation: 1 2 3 4 5
focus: 4 확인
event: focus 4 확인
event: focus 5 취소
focus after Tab: 5 취소
press OK: 00000000
event: dialog end 0
after the end: fails
)");

// ctest runs it twice: on a Korean system (code page 949) and on a Western one (1252). Wine gives a
// process the code page of LC_ALL, and the programs it starts inherit it.
TEST(MessageAccessibility, AReaderInAnotherProcessReadsAndPressesTheDialog) {
    const char* expected = std::getenv("MIVORA_CODE_PAGE");
    ASSERT_NE(expected, nullptr) << "run through ctest, which names the code page";
    ASSERT_EQ(std::to_string(::GetACP()), expected);
    const std::string page = "code page " + std::string(expected) + "\n";
    const Reading caution = ReadDialog("caution");
    EXPECT_EQ(caution.dialogResult, 1u);
    EXPECT_EQ(caution.printout, page + CautionReading);
    const Reading warning = ReadDialog("warning");
    EXPECT_EQ(warning.dialogResult, 1u);
    EXPECT_EQ(warning.printout, page + WarningReading);
}

// Where oleacc is missing (some 98, ME and NT 4 installations), the dialog answers no reader itself and
// works as before: the system's own object stands for its client area.
TEST(MessageAccessibility, WithoutOleaccTheSystemAnswersAndTheDialogWorks) {
    const char* overrides = "Software\\Wine\\AppDefaults\\accessible_host.exe\\DllOverrides";
    HKEY created = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, overrides, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                      nullptr);
    const platform::UniqueKey key(created);
    ::RegSetValueExA(key.get(), "oleacc", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1); // disabled
    const scenario::Started host =
        scenario::StartBuiltProgram("accessible_host.exe", "caution " + std::to_string(::GetACP()));
    ASSERT_TRUE(host.Process);
    const HWND dialog = scenario::WaitForDialog(host.ProcessId, 30000);
    ASSERT_NE(dialog, nullptr);
    IAccessible* client = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(dialog, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&client)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    VARIANT role{};
    EXPECT_EQ(client->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CLIENT);
    client->Release();
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(scenario::WaitForExit(host, 30000));
    DWORD result = 0;
    ::GetExitCodeProcess(host.Process.get(), &result);
    EXPECT_EQ(result, 2u);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, overrides);
}

// The events of this process that name the open dialog's window.
std::vector<std::pair<DWORD, LONG>> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (fMessage != nullptr && window == fMessage->Handle() && object == OBJID_CLIENT)
        heard.emplace_back(event, child);
}

// A reader hears a text that changes while the dialog shows: the main text as child 1, the title word as
// the dialog's own name.
TEST(MessageAccessibility, ATextChangedWhileTheDialogShowsIsAnnounced) {
    InitializeApplication();
    heard.clear();
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                                 Hear, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    int step = 0;
    TimerTicks ticks(100, [&] {
        if (fMessage == nullptr || !::IsWindowVisible(fMessage->Handle()))
            return;
        if (step == 0)
            fMessage->lblMessageMain->SetCaption("다른 글");
        else if (step == 1)
            fMessage->lblTitle->SetCaption("경고");
        else if (step == 3)
            ::PostMessageW(fMessage->Handle(), WM_CLOSE, 0, 0);
        ++step;
    });
    ShowMessageDialog(mtCaution, "글", "", mbOk, nullptr);
    ::UnhookWinEvent(hook);
    const std::vector<std::pair<DWORD, LONG>> expected{{EVENT_OBJECT_NAMECHANGE, 1},
                                                       {EVENT_OBJECT_NAMECHANGE, CHILDID_SELF}};
    EXPECT_EQ(heard, expected);
}

} // namespace
