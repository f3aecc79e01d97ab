#include "ui/controls/mediabtn.h"

#include "tests/support/gdi_count.h"
#include "tests/support/user_count.h"
#include "ui/controls/wavctrl.h"
#include "ui/framework/application.h"
#include "ui/framework/form.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/image.h"
#include "ui/framework/messages.h"
#include "ui/framework/panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr TColor kKey = 0xFF00FF;
constexpr TColor kParent = 0x00A000;
constexpr TColor kSibling = 0x0000C0;
constexpr TColor kWindowedSibling = 0xC00000;
constexpr TColor kNormal = 0x111111;
constexpr TColor kActive = 0x222222;
constexpr TColor kDown = 0x333333;
constexpr TColor kUnpainted = 0x0A0B0C;

// A face of one colour with the key colour in its top-left corner pixel and along its left column.
void MakeFace(TBitmap& face, int w, int h, TColor colour) {
    face.SetSize(w, h);
    face.Canvas().SetBrushColor(colour);
    face.Canvas().FillRect(RECT{0, 0, w, h});
    face.Canvas().SetBrushColor(kKey);
    face.Canvas().FillRect(RECT{0, 0, 1, h});
}

// Records the state changes and the clicks, as the message dialog's handlers would see them.
class TRecordingButton : public TepBitmapButton {
public:
    explicit TRecordingButton(TComponent* owner) : TepBitmapButton(owner) {
        OnClick = TNotifyEvent("Click", [this](TObject*) { log.push_back("click"); });
    }
    void SetDown(bool value) override {
        log.push_back(value ? "down" : "up");
        TepBitmapButton::SetDown(value);
    }
    void Invalidate() override {
        ++invalidations;
        TepBitmapButton::Invalidate();
    }
    std::vector<std::string> log;
    int invalidations = 0;
};

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeApplication();
        form = new TForm(nullptr);
        form->SetBorderStyle(TBorderStyle::bsNone);
        form->SetBounds(10, 10, 200, 100);
        form->SetColor(kParent);
        button = new TRecordingButton(form);
        button->SetParent(form);
        button->SetBounds(20, 10, 55, 24);
        (void)form->Handle();
    }
    void TearDown() override { delete form; }

    void Press(UINT message, int x = 5, int y = 5) { button->Perform(message, 0, MAKELPARAM(x, y)); }
    void Enter() { button->Perform(CM_MOUSEENTER, 0, 0); }
    void Leave() { button->Perform(CM_MOUSELEAVE, 0, 0); }
    int Clicks() const {
        return static_cast<int>(std::count(button->log.begin(), button->log.end(), "click"));
    }

    TForm* form = nullptr;
    TRecordingButton* button = nullptr;
};

// The design's defaults, which a stored layout leaves out: 90 x 30, Arial 11 bold italic, a tab stop,
// transparent over the button face's system colour (index 15).
TEST_F(ButtonTest, StartsWithTheDesignsDefaults) {
    auto* fresh = new TepBitmapButton(form);
    EXPECT_EQ(fresh->Width(), 90);
    EXPECT_EQ(fresh->Height(), 30);
    EXPECT_EQ(fresh->Font().Name(), "Arial");
    EXPECT_EQ(fresh->Font().Size(), 11);
    EXPECT_EQ(fresh->Font().Style(), FontStyles({fsBold, fsItalic}));
    EXPECT_TRUE(fresh->TabStop());
    EXPECT_TRUE(fresh->Transparent());
    EXPECT_EQ(fresh->BackColor(), 0xFF00000Fu);
}

TEST_F(ButtonTest, PressLeaveEnterReleaseInsideClicksOnce) {
    Enter();
    Press(WM_LBUTTONDOWN);
    EXPECT_EQ(button->DownState(), TDownState::Down);
    Leave();
    EXPECT_EQ(button->DownState(), TDownState::DownOutside);
    EXPECT_FALSE(button->Active());
    Enter();
    EXPECT_EQ(button->DownState(), TDownState::Down);
    EXPECT_TRUE(button->Active());
    Press(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(button->DownState(), TDownState::Up);
    EXPECT_EQ(button->log, (std::vector<std::string>{"down", "up", "down", "click", "up"}))
        << "the click comes while the button is still down";
}

TEST_F(ButtonTest, PressLeaveReleaseOutsideDoesNotClick) {
    Enter();
    Press(WM_LBUTTONDOWN);
    Leave();
    Press(WM_LBUTTONUP, 80, 40);
    EXPECT_EQ(button->DownState(), TDownState::Up);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(ButtonTest, APressWhoseCaptureAnotherWindowTookNeverClicks) {
    Enter();
    Press(WM_LBUTTONDOWN);
    ::SetCapture(form->Handle()); // the press's release will go elsewhere
    ::ReleaseCapture();
    Press(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(Clicks(), 0);
    // The next press and release click as usual.
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(ButtonTest, RightAndMiddleButtonsPressButNeverClick) {
    Enter();
    for (auto [down, up] :
         {std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP}, std::pair{WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
        button->log.clear();
        Press(down);
        EXPECT_EQ(button->DownState(), TDownState::Down);
        Press(up);
        EXPECT_EQ(button->DownState(), TDownState::Up);
        EXPECT_EQ(button->log, (std::vector<std::string>{"down", "up"}));
    }
}

// The face change counts both edges as inside; the click does not.
TEST_F(ButtonTest, AReleaseOnTheRightOrBottomEdgeChangesTheFaceButDoesNotClick) {
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP, 55, 24);
    EXPECT_EQ(button->log, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(button->DownState(), TDownState::Up);

    button->log.clear();
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP, 56, 5);
    EXPECT_EQ(button->log, (std::vector<std::string>{"down"})) << "beyond the edge: no face change";
    EXPECT_EQ(button->DownState(), TDownState::Up);

    button->log.clear();
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP, 54, 23);
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(ButtonTest, EnterClicksExactlyOnceAndSpaceNever) {
    button->Perform(WM_CHAR, ' ', 0);
    EXPECT_TRUE(button->log.empty());
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_EQ(button->log, (std::vector<std::string>{"down", "click", "up"}));
    EXPECT_EQ(button->DownState(), TDownState::Up);
}

TEST_F(ButtonTest, EveryStateChangeRequestsARepaintExceptTheReturnToUp) {
    button->invalidations = 0;
    Enter();
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP);
    EXPECT_EQ(button->invalidations, 3); // active, down, released inside
    Press(WM_RBUTTONDOWN);
    Leave();
    button->invalidations = 0;
    Press(WM_RBUTTONUP);
    EXPECT_EQ(button->invalidations, 0) << "DownOutside to Up asks for nothing";
    button->Perform(WM_SETFOCUS, 0, 0);
    button->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(button->invalidations, 2);
}

TEST_F(ButtonTest, EveryClickHandsItsModalResultToTheFormZeroIncluded) {
    form->SetModalResult(7);
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_EQ(form->ModalResult(), 0);

    auto* panel = new TPanel(form);
    panel->SetParent(form);
    button->SetParent(panel);
    button->SetModalResult(mrCancel);
    Press(WM_LBUTTONDOWN);
    Press(WM_LBUTTONUP);
    EXPECT_EQ(form->ModalResult(), mrCancel) << "found through the parent chain";
}

// What a layout keeps of a button: the table's values without a default always, a face only when
// it holds a picture, a sound only when one is set; reading it back leaves the stored size standing.
TEST_F(ButtonTest, ALayoutStoresTheValuesWithoutDefaultsAlwaysAndFacesAndSoundsWhenSet) {
    RegisterMediaBtnClasses();
    RegisterWavCtrlClasses();
    RegisterMediaBtnWriters();
    RegisterWavCtrlWriters();
    form->SetName("frm");
    button->SetName("ep");
    button->OnClick = {}; // the recorder's handler is not one the form publishes
    const auto write = [&] {
        TMemoryStream design;
        WriteComponentResource(design, *form);
        return std::string(design.Bytes().begin(), design.Bytes().end());
    };
    const auto has = [](const std::string& design, const std::string& name) {
        return design.find(static_cast<char>(name.size()) + name) != std::string::npos;
    };
    std::string design = write();
    for (const char* name : {"BackColor", "ModalResult", "Transparent", "TabStop"})
        EXPECT_TRUE(has(design, name)) << name;
    for (const char* name : {"BmpNormal.Data", "BmpActive.Data", "BmpDown.Data", "ClickSound", "ActiveSound"})
        EXPECT_FALSE(has(design, name)) << name;

    TBitmap face;
    MakeFace(face, 55, 24, kNormal);
    button->SetBmpNormal(&face);
    button->SetBounds(20, 10, 60, 30);
    button->SetModalResult(mrCancel);
    button->SetTransparent(false);
    auto* player = new TepWavePlayer(form);
    player->SetName("wp");
    button->SetClickSound(player);
    design = write();
    EXPECT_NE(design.find("\x0A"
                          "ClickSound\x07\x02wp"),
              std::string::npos)
        << "by the player's name";
    EXPECT_FALSE(has(design, "BmpActive.Data"));
    // The face: tag 0x0A, the block's count, then the bitmap's own count and its BMP file.
    const std::string tag = std::string("\x0E") + "BmpNormal.Data\x0A";
    const std::size_t at = design.find(tag);
    ASSERT_NE(at, std::string::npos);
    std::uint32_t block = 0;
    std::uint32_t own = 0;
    std::memcpy(&block, design.data() + at + tag.size(), 4);
    std::memcpy(&own, design.data() + at + tag.size() + 4, 4);
    EXPECT_EQ(own + 4, block);
    EXPECT_EQ(design.substr(at + tag.size() + 8, 2), "BM");

    TForm copy(nullptr);
    TMemoryStream stream(std::vector<std::uint8_t>(design.begin(), design.end()));
    TReader(stream).ReadRootComponent(copy);
    auto* read = ObjectAs<TepBitmapButton>(copy.FindComponent("ep"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Width(), 60) << "the stored size stands";
    EXPECT_EQ(read->BmpNormal().Width(), 55);
    EXPECT_TRUE(read->BmpDown().Empty());
    EXPECT_EQ(read->ModalResult(), mrCancel);
    EXPECT_FALSE(read->Transparent());
    EXPECT_TRUE(read->TabStop());
    EXPECT_EQ(read->BackColor(), clBtnFace);
    EXPECT_EQ(read->ClickSound(), copy.FindComponent("wp"));
    EXPECT_EQ(read->ActiveSound(), nullptr);
}

class SoundTest : public ButtonTest {
protected:
    void SetUp() override {
        ButtonTest::SetUp();
        hover = new TepWavePlayer(form);
        click = new TepWavePlayer(form);
        for (TepWavePlayer* player : {hover, click}) {
            player->SetEnabled(false); // the events fire, the speaker stays silent
            player->BeforePlay = TNotifyEvent(
                "Played", [this](TObject* sender) { played.push_back(sender == hover ? "hover" : "click"); });
        }
        button->SetActiveSound(hover);
        button->SetClickSound(click);
    }
    TepWavePlayer* hover = nullptr;
    TepWavePlayer* click = nullptr;
    std::vector<std::string> played;
};

TEST_F(SoundTest, HoverOnEveryEntryClickOnlyWithThePointerOver) {
    Enter();
    Leave();
    Enter();
    EXPECT_EQ(played, (std::vector<std::string>{"hover", "hover"}));
    played.clear();
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_EQ(played, std::vector<std::string>{"click"});
    played.clear();
    Leave();
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_TRUE(played.empty()) << "Enter with the pointer elsewhere is silent";
}

TEST_F(SoundTest, RemovingAPlayerClearsTheReference) {
    delete click;
    EXPECT_EQ(button->ClickSound(), nullptr);
    EXPECT_EQ(button->ActiveSound(), hover);
    Enter();
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_EQ(played, std::vector<std::string>{"hover"});
    delete hover;
    EXPECT_EQ(button->ActiveSound(), nullptr);
}

// A player that the button's form does not own sends that form no removal notice.
TEST_F(SoundTest, APlayerOwnedElsewhereClearsTheReferenceToo) {
    auto* elsewhere = new TepWavePlayer(nullptr);
    elsewhere->SetEnabled(false);
    elsewhere->BeforePlay = TNotifyEvent("Played", [this](TObject*) { played.push_back("elsewhere"); });
    button->SetClickSound(elsewhere);
    button->SetActiveSound(elsewhere);
    delete elsewhere;
    EXPECT_EQ(button->ClickSound(), nullptr);
    EXPECT_EQ(button->ActiveSound(), nullptr);
    Enter();
    button->Perform(WM_CHAR, '\r', 0);
    EXPECT_TRUE(played.empty());

    // The button going first leaves the player nothing to tell.
    auto* survivor = new TepWavePlayer(nullptr);
    button->SetClickSound(survivor);
    delete form;
    form = nullptr;
    delete survivor;
}

// Paints the button into a bitmap prefilled with a colour it never uses, as WM_PAINT would.
class PaintTest : public ButtonTest {
protected:
    void SetFaces() {
        TBitmap normal, active, down;
        MakeFace(normal, 55, 24, kNormal);
        MakeFace(active, 55, 24, kActive);
        MakeFace(down, 55, 24, kDown);
        button->SetBmpNormal(&normal);
        button->SetBmpActive(&active);
        button->SetBmpDown(&down);
    }
    void Render() {
        target.SetSize(button->Width(), button->Height());
        target.Canvas().SetBrushColor(kUnpainted);
        target.Canvas().FillRect(RECT{0, 0, button->Width(), button->Height()});
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0);
    }
    TColor At(int x, int y) { return target.Canvas().Pixel(x, y); }
    TBitmap target;
};

TEST_F(PaintTest, AFaceSetterCopiesTheBitmapAndSizesTheButton) {
    TBitmap face;
    MakeFace(face, 55, 24, kNormal);
    button->SetBounds(20, 10, 90, 30);
    button->SetBmpDown(&face);
    EXPECT_EQ(button->Width(), 55);
    EXPECT_EQ(button->Height(), 24);
    face.SetSize(3, 3);
    EXPECT_EQ(button->BmpDown().Width(), 55) << "the button keeps its own copy";
    button->SetBmpDown(nullptr);
    EXPECT_EQ(button->BmpDown().Width(), 55);
}

TEST_F(PaintTest, AnyEmptyFacePaintsNothing) {
    TBitmap face;
    MakeFace(face, 55, 24, kNormal);
    button->SetBmpNormal(&face);
    button->SetBmpActive(&face);
    for (bool transparent : {true, false}) {
        button->SetTransparent(transparent);
        Render();
        EXPECT_EQ(At(0, 0), kUnpainted);
        EXPECT_EQ(At(30, 12), kUnpainted);
    }
}

TEST_F(PaintTest, OpaqueDrawsTheFaceOfTheStateAtItsOwnSize) {
    SetFaces();
    button->SetTransparent(false);
    button->SetBounds(20, 10, 60, 24);
    Render();
    EXPECT_EQ(At(0, 0), kKey) << "opaque: the key colour is drawn as it is";
    EXPECT_EQ(At(30, 12), kNormal);
    EXPECT_EQ(At(57, 12), kUnpainted) << "no stretching: the rest stays undrawn";
    Enter();
    Render();
    EXPECT_EQ(At(30, 12), kActive);
    Press(WM_LBUTTONDOWN);
    Render();
    EXPECT_EQ(At(30, 12), kDown);
    Leave();
    Render();
    EXPECT_EQ(At(30, 12), kNormal) << "pressed outside shows the released face";
}

TEST_F(PaintTest, TransparentShowsTheParentAndGraphicSiblingsButNoWindowedSibling) {
    SetFaces();
    // A picture under the upper half of the key column, a panel under its lower half.
    auto* picture = new TImage(form);
    picture->SetParent(form);
    picture->Picture().SetSize(4, 12);
    picture->Picture().Canvas().SetBrushColor(kSibling);
    picture->Picture().Canvas().FillRect(RECT{0, 0, 4, 12});
    picture->SetBounds(18, 10, 4, 12);
    auto* panel = new TPanel(form);
    panel->SetBevelOuter(TPanelBevel::bvNone);
    panel->SetColor(kWindowedSibling);
    panel->SetParent(form);
    panel->SetBounds(18, 22, 4, 12);
    button->SetParent(form); // above the panel

    Render();
    EXPECT_EQ(At(0, 5), kSibling);
    EXPECT_EQ(At(0, 20), kParent) << "the windowed sibling beneath is not shown";
    EXPECT_EQ(At(30, 12), kNormal);
    EXPECT_EQ(At(54, 23), kNormal);
}

TEST_F(PaintTest, EachFaceIsKeyedOnItsOwnTopLeftPixel) {
    SetFaces();
    TBitmap down;
    MakeFace(down, 55, 24, kDown);
    down.Canvas().SetPixel(0, 0, kDown); // this face's key is its own colour
    button->SetBmpDown(&down);
    Press(WM_LBUTTONDOWN);
    Render();
    EXPECT_EQ(At(30, 12), kParent);
    EXPECT_EQ(At(0, 5), kKey);
}

TEST_F(PaintTest, BackColorRepaintsWithoutChangingTheFace) {
    SetFaces();
    Render();
    const TColor before = At(30, 12);
    button->invalidations = 0;
    button->SetBackColor(0x445566);
    EXPECT_EQ(button->invalidations, 1);
    button->SetBackColor(0x445566);
    EXPECT_EQ(button->invalidations, 1) << "an unchanged value is not stored again";
    Render();
    EXPECT_EQ(At(30, 12), before);
    EXPECT_EQ(At(0, 5), kParent);
}

TEST_F(PaintTest, TransparentPaintsLeakNoGdiOrUserObject) {
    SetFaces();
    Render();
    HDC dc = target.Canvas().Handle();
    const unsigned gdiBefore = GdiObjectCount();
    const unsigned userBefore = UserObjectCount();
    for (int i = 0; i < 10000; ++i)
        button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    const unsigned gdiAfter = GdiObjectCount();
    const unsigned userAfter = UserObjectCount();
    std::cout << "GDI objects " << gdiBefore << " -> " << gdiAfter << ", USER objects " << userBefore
              << " -> " << userAfter << '\n';
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(userAfter, userBefore);
    EXPECT_EQ(At(30, 12), kNormal);
    EXPECT_EQ(At(0, 5), kParent);
}

} // namespace
