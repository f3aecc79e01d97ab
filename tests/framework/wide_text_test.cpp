#include "ui/framework/wide_text.h"

#include "tests/support/without_cp949.h"
#include "ui/framework/window_api.h"

#include <gtest/gtest.h>

namespace {

using framework::Cp949ToWide;
using framework::WideToCp949;

TEST(WideText, KoreanConvertsBothWays) {
    EXPECT_EQ(Cp949ToWide("Mivora란?"), L"Mivora란?");
    EXPECT_EQ(WideToCp949(L"Mivora란?"), "Mivora란?");
    EXPECT_EQ(Cp949ToWide(""), L"");
}

// The rig's system default character is '?', as on every Western Windows.
TEST(WideText, WithoutCodePage949AsciiStaysExactAndEachKoreanCharacterBecomesTheDefault) {
    WithoutCp949 western;
    EXPECT_EQ(Cp949ToWide("TfMessage"), L"TfMessage");
    EXPECT_EQ(Cp949ToWide("젤바노 Mivora란?"), L"??? Mivora??");
    EXPECT_EQ(Cp949ToWide("a\xB6"), L"a?") << "a lead byte at the end is one character";
    EXPECT_EQ(WideToCp949(L"C:\\Mivora란.chm"), "C:\\Mivora?.chm");
}

TEST(WideText, WithoutCodePage949WindowClassesAreRegisteredAndWindowsTitled) {
    WithoutCp949 western;
    ASSERT_TRUE(framework::RegisterWindowClass("TWesternProbe", ::DefWindowProcW));
    HWND window =
        framework::CreateFrameworkWindow(0, "TWesternProbe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    framework::SetWindowCaption(window, "Zelvano Mivora - 젤바노미보라");
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"Zelvano Mivora - ??????");
    ::GetClassNameW(window, text, 64);
    EXPECT_STREQ(text, L"TWesternProbe");
    ::DestroyWindow(window);
}

} // namespace
