#include "ui/framework/win_control.h"

#include "ui/framework/application.h"
#include "ui/framework/form.h"
#include "ui/framework/image.h"
#include "ui/framework/image_list.h"
#include "ui/framework/label.h"
#include "ui/framework/messages.h"
#include "ui/framework/panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor kPanel = 0x00A000;
constexpr TColor kPicture = 0x0000C0;

// A picture that notes the pointer's enter and leave notices.
class TWatchedImage : public TImage {
public:
    using TImage::TImage;
    std::vector<std::string> notices;

protected:
    void MouseEnter() override { notices.push_back("enter"); }
    void MouseLeave() override { notices.push_back("leave"); }
};

class WinControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeApplication();
        form = new TForm(nullptr);
        form->SetBorderStyle(TBorderStyle::bsNone);
        form->SetBounds(0, 0, 200, 100);
        panel = new TPanel(form);
        panel->SetBevelOuter(TPanelBevel::bvNone);
        panel->SetColor(kPanel);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 200, 100);
    }
    void TearDown() override { delete form; }

    // Paints the panel with its children into a bitmap, as its window would.
    TBitmap& Render() {
        target.SetSize(panel->Width(), panel->Height());
        panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
        return target;
    }

    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TBitmap target;
};

TEST_F(WinControlTest, AlignedChildrenShareTheClientAreaAndFollowItsSize) {
    auto* top = new TPanel(form);
    top->SetHeight(20);
    top->SetAlign(TAlign::alTop);
    top->SetParent(panel);
    auto* bottom = new TPanel(form);
    bottom->SetHeight(10);
    bottom->SetAlign(TAlign::alBottom);
    bottom->SetParent(panel);
    auto* left = new TImage(form);
    left->SetWidth(14);
    left->SetAlign(TAlign::alLeft);
    left->SetParent(panel);
    auto* rest = new TImage(form);
    rest->SetAlign(TAlign::alClient);
    rest->SetParent(panel);

    EXPECT_EQ(top->BoundsRect().right, 200);
    EXPECT_EQ(bottom->Top(), 90);
    EXPECT_EQ(left->Top(), 20);
    EXPECT_EQ(left->Height(), 70);
    EXPECT_EQ(rest->Left(), 14);
    EXPECT_EQ(rest->Width(), 186);

    panel->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(top->Width(), 300);
    EXPECT_EQ(bottom->Top(), 140);
    EXPECT_EQ(left->Height(), 120);
    EXPECT_EQ(rest->Width(), 286);
}

TEST_F(WinControlTest, LaterWindowedChildrenLieAbove) {
    auto* lower = new TPanel(form);
    lower->SetParent(panel);
    auto* upper = new TPanel(form);
    upper->SetParent(panel);
    (void)form->Handle();
    EXPECT_EQ(::GetWindow(panel->Handle(), GW_CHILD), upper->Handle()) << "the first child is the topmost";
    EXPECT_EQ(panel->Controls(0), lower);
}

TEST_F(WinControlTest, PicturesAutoSizeAndStretch) {
    auto* picture = new TImage(form);
    picture->SetParent(panel);
    picture->SetBounds(10, 10, 40, 20);
    picture->Picture().SetSize(2, 1);
    picture->Picture().Canvas().SetPixel(0, 0, kPicture);
    picture->Picture().Canvas().SetPixel(1, 0, 0x010101);
    EXPECT_EQ(picture->Width(), 40) << "no auto-size: the bounds stand";
    picture->SetStretch(true);
    EXPECT_EQ(Render().Canvas().Pixel(29, 29), kPicture);
    EXPECT_EQ(target.Canvas().Pixel(30, 10), 0x010101u);
    EXPECT_EQ(target.Canvas().Pixel(50, 10), kPanel);

    picture->SetAutoSize(true);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_EQ(picture->Height(), 1);
    picture->Picture().SetSize(5, 6);
    EXPECT_EQ(picture->Width(), 5);
}

TEST_F(WinControlTest, LabelsSizeToTheirLinesAndMayShowTheirParent) {
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetBounds(10, 10, 1, 1);
    label->SetCaption("x");
    label->SetCaption("");
    const int lineHeight = label->Height();
    EXPECT_GT(lineHeight, 8) << "an empty label keeps one line";
    label->SetCaption("Wide enough text");
    const int width = label->Width();
    EXPECT_GT(width, 40);
    EXPECT_EQ(label->Height(), lineHeight);
    label->SetCaption("Wide enough text\r\nA second line\r\nand a third");
    EXPECT_EQ(label->Height(), 3 * lineHeight);
    EXPECT_EQ(label->Width(), width) << "no word wrap: the widest line sets the width";

    label->SetColor(0x0000FF);
    EXPECT_EQ(Render().Canvas().Pixel(label->Left() + label->Width() - 1, label->Top()), 0x0000FFu);
    label->SetTransparent(true);
    EXPECT_EQ(Render().Canvas().Pixel(label->Left() + label->Width() - 1, label->Top()), kPanel);
}

TEST_F(WinControlTest, ImageListsDrawWithTheirMasks) {
    TBitmap strip;
    strip.SetSize(4, 2);
    strip.Canvas().SetBrushColor(0xFF00FF);
    strip.Canvas().FillRect(RECT{0, 0, 4, 2});
    strip.Canvas().SetPixel(1, 1, kPicture);
    strip.Canvas().SetPixel(2, 0, 0x010101);
    auto* list = new TImageList(form);
    list->SetWidth(2);
    list->SetHeight(2);
    TBitmap first;
    first.SetSize(2, 2);
    strip.Draw(first.Canvas(), 0, 0);
    list->AddMasked(first, 0xFF00FF);
    EXPECT_EQ(list->Count(), 1);

    TBitmap picture;
    picture.SetSize(2, 2);
    picture.Canvas().SetBrushColor(kPanel);
    picture.Canvas().FillRect(RECT{0, 0, 2, 2});
    list->Draw(picture.Canvas(), 0, 0, 0);
    EXPECT_EQ(picture.Canvas().Pixel(0, 0), kPanel) << "see-through where the mask is white";
    EXPECT_EQ(picture.Canvas().Pixel(1, 1), kPicture);

    TBitmap untouched;
    EXPECT_FALSE(list->GetBitmap(4, untouched));
    EXPECT_TRUE(untouched.Empty());
    ASSERT_TRUE(list->GetBitmap(0, untouched));
    EXPECT_EQ(untouched.Width(), 2);
    EXPECT_EQ(untouched.Canvas().Pixel(1, 1), kPicture);
}

// The notices follow the real pointer: moves over our windows and the leave notice of the system.
TEST_F(WinControlTest, ThePointerEntersAndLeavesControlsItMovesOver) {
    auto* picture = new TWatchedImage(form);
    picture->SetParent(panel);
    picture->SetBounds(20, 20, 30, 30);
    form->SetBounds(100, 100, 200, 100);
    form->Show();

    ::SetCursorPos(130, 130);
    ::SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(picture->notices, std::vector<std::string>{"enter"});
    EXPECT_EQ(Mouse->MouseControl(), picture);

    ::SetCursorPos(110, 110);
    ::SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(picture->notices, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(Mouse->MouseControl(), panel);

    ::SetCursorPos(130, 130);
    ::SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    ::SetCursorPos(5, 5);
    ::SendMessageA(panel->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(picture->notices, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
    EXPECT_EQ(Mouse->MouseControl(), nullptr);
}

} // namespace
