#include "ui/framework/form.h"

#include "ui/controls/mediabtn.h"
#include "ui/framework/application.h"
#include "ui/framework/bevel.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_text.h"
#include "ui/framework/image.h"
#include "ui/framework/image_list.h"
#include "ui/framework/label.h"
#include "ui/framework/panel.h"
#include "ui/framework/register_classes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

constexpr TColor kMagenta = 0xFF00FF;

std::vector<std::uint8_t> Bmp(int w, int h, TColor fill, TColor corner) {
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    bitmap.Canvas().SetBrushColor(fill);
    bitmap.Canvas().FillRect(RECT{0, 0, w, h});
    bitmap.Canvas().SetPixel(0, h - 1, corner);
    return bitmap.SaveToBmp();
}

constexpr char kDesign[] = R"(
object frmSample: TSampleForm
  Left = 100
  Top = 50
  BorderStyle = bsNone
  Caption = 'Sample'
  ClientHeight = 120
  ClientWidth = 200
  Color = clWhite
  FormStyle = fsStayOnTop
  KeyPreview = True
  Position = poScreenCenter
  TransparentColor = True
  TransparentColorValue = clFuchsia
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  PixelsPerInch = 96
  TextHeight = 13
  object pnlTop: TPanel
    Left = 0
    Top = 0
    Width = 200
    Height = 30
    Align = alTop
    BevelOuter = bvNone
    object imgLeft: TImage
      Left = 0
      Top = 0
      Width = 10
      Height = 30
      Align = alLeft
      AutoSize = True
      Stretch = True
      Picture.Data = @bitmap 'side.bmp'
      OnMouseDown = imgLeftMouseDown
    end
    object lblTitle: TLabel
      Left = 20
      Top = 5
      Caption = 'Title'#13#10'Two'
      Font.Charset = ANSI_CHARSET
      Font.Height = -15
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      Transparent = True
    end
  end
  object pnlBottom: TPanel
    Left = 0
    Top = 90
    Width = 200
    Height = 30
    Align = alBottom
  end
  object bvlFrame: TBevel
    Left = 29
    Top = 40
    Width = 100
    Height = 40
    Shape = bsFrame
  end
  object epBtnOK: TepBitmapButton
    Left = 140
    Top = 40
    Width = 55
    Height = 24
    Cursor = crHandPoint
    ModalResult = 1
    Transparent = False
    BmpNormal.Data = @bitmap 'face.bmp'
    TabOrder = 0
    TabStop = True
    OnClick = epBtnOKClick
  end
  object imgListInfo: TImageList
    Height = 2
    Width = 3
    Bitmap = @bitmap 'strip.bmp'
  end
end
)";

class TSampleForm : public TForm {
public:
    explicit TSampleForm(TComponent* owner) : TForm(owner) {
        PublishMethod("FormCreate", std::function<void(TObject*)>([this](TObject*) { ++created; }));
        PublishMethod("FormKeyDown", std::function<void(TObject*, WORD&, TShiftState)>(
                                         [this](TObject*, WORD& key, TShiftState) {
                                             keys.push_back(key);
                                             if (swallow)
                                                 key = 0;
                                         }));
        PublishMethod("imgLeftMouseDown", std::function<void(TObject*, TMouseButton, TShiftState, int, int)>(
                                              [this](TObject*, TMouseButton, TShiftState, int x, int y) {
                                                  downs.push_back({x, y});
                                              }));
        PublishMethod("epBtnOKClick", std::function<void(TObject*)>([this](TObject*) { ++clicks; }));
        TFormTextHost host;
        host.convertString = [](std::string_view text) { return std::string(text); };
        host.readFile = [](const std::string& name) {
            static const std::map<std::string, std::vector<std::uint8_t>> files{
                {"side.bmp", Bmp(14, 1, 0x303030, 0x303030)},
                {"face.bmp", Bmp(55, 24, 0x404040, 0x404040)},
                {"strip.bmp", Bmp(9, 2, 0x505050, kMagenta)},
            };
            return files.at(name);
        };
        TMemoryStream design;
        ObjectTextToBinary(kDesign, design, host);
        design.SetPosition(0);
        ReadComponentResource(design, *this);
    }
    static constexpr TClassInfo kClassInfo{"TSampleForm", &TForm::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }
    template <class T> T& Get(const char* name) { return *ObjectAs<T>(FindComponent(name)); }

    int created = 0;
    int clicks = 0;
    bool swallow = false;
    std::vector<WORD> keys;
    std::vector<POINT> downs;
};

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitializeApplication();
        RegisterFrameworkClasses();
        RegisterMediaBtnClasses();
    }
};

TEST_F(FormTest, ADesignFillsTheFormAndItsControls) {
    auto* form = TForm::Create<TSampleForm>(nullptr);
    EXPECT_EQ(form->created, 1);
    EXPECT_EQ(form->Caption(), "Sample");
    EXPECT_EQ(form->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->ClientHeight(), 120);
    EXPECT_EQ(form->Width(), 200) << "borderless: outer size is client size";
    EXPECT_EQ(form->Color(), 0xFFFFFFu);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_FALSE(form->Visible());

    auto& top = form->Get<TPanel>("pnlTop");
    auto& bottom = form->Get<TPanel>("pnlBottom");
    auto& side = form->Get<TImage>("imgLeft");
    auto& title = form->Get<TLabel>("lblTitle");
    auto& button = form->Get<TepBitmapButton>("epBtnOK");
    EXPECT_EQ(top.Parent(), form);
    EXPECT_EQ(side.Parent(), &top);
    EXPECT_EQ(top.BevelOuter(), TPanelBevel::bvNone);
    EXPECT_EQ(side.Width(), 14) << "auto-sized to its picture";
    EXPECT_EQ(side.Height(), 30) << "its height follows the band";
    EXPECT_EQ(title.Font().Name(), "Arial");
    EXPECT_EQ(title.Font().Charset(), ANSI_CHARSET);
    EXPECT_TRUE(title.Transparent());
    EXPECT_GT(title.Height(), 30) << "a line break makes a second line";
    EXPECT_EQ(form->Get<TBevel>("bvlFrame").Shape(), TBevelShape::bsFrame);
    EXPECT_EQ(button.ModalResult(), 1);
    EXPECT_EQ(button.Width(), 55) << "the stored size stands";
    EXPECT_EQ(button.BmpNormal().Width(), 55);
    EXPECT_TRUE(button.BmpActive().Empty());
    EXPECT_FALSE(button.Transparent());
    EXPECT_EQ(button.Cursor(), -21);
    EXPECT_EQ(form->Get<TImageList>("imgListInfo").Count(), 3);

    // The bands follow a new client size at once.
    form->SetClientSize(300, 150);
    EXPECT_EQ(top.Width(), 300);
    EXPECT_EQ(bottom.Top(), 120);
    EXPECT_EQ(side.Height(), 30);
    delete form;
}

TEST_F(FormTest, WindowStylesFollowTheDesign) {
    auto* form = TForm::Create<TSampleForm>(nullptr);
    HWND window = form->Handle();
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), Application->Handle());
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"Sample");
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"TSampleForm");

    form->Show();
    EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    using Query = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
    if (query != nullptr) {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(query(window, &key, &alpha, &flags));
        EXPECT_EQ(key, kMagenta);
        EXPECT_TRUE(flags & LWA_COLORKEY);
    }
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    EXPECT_NEAR(form->Left() + form->Width() / 2, screenWidth / 2, 1) << "centred on the screen";
    EXPECT_EQ(::GetFocus(), form->Get<TepBitmapButton>("epBtnOK").Handle()) << "first in tab order";
    delete form;
}

TEST_F(FormTest, KeysReachTheFormFirstAndAClearedKeyGoesNoFurther) {
    auto* form = TForm::Create<TSampleForm>(nullptr);
    auto& button = form->Get<TepBitmapButton>("epBtnOK");
    std::vector<WORD> buttonKeys;
    button.OnKeyDown =
        TKeyEvent("Keys", [&](TObject*, WORD& key, TShiftState) { buttonKeys.push_back(key); });
    ::SendMessageW(button.Handle(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(form->keys, std::vector<WORD>{VK_F1});
    EXPECT_EQ(buttonKeys, std::vector<WORD>{VK_F1});

    form->swallow = true;
    EXPECT_EQ(::SendMessageW(button.Handle(), WM_SYSKEYDOWN, VK_F4, 0x20000000), 0);
    EXPECT_EQ(form->keys.back(), VK_F4);
    EXPECT_EQ(buttonKeys.size(), 1u);

    ::SendMessageW(button.Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(form->ModalResult(), 1);
    delete form;
}

TEST_F(FormTest, MouseInputGoesToTheControlUnderItAndClicksFollowTheLeftButtonRule) {
    auto* form = TForm::Create<TSampleForm>(nullptr);
    HWND band = form->Get<TPanel>("pnlTop").Handle();
    ::SendMessageW(band, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    ::SendMessageW(band, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    ::SendMessageW(band, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 7));
    ::SendMessageW(band, WM_LBUTTONUP, 0, MAKELPARAM(16, 7));
    ASSERT_EQ(form->downs.size(), 1u);
    EXPECT_EQ(form->downs[0].x, 5);
    EXPECT_EQ(form->downs[0].y, 7);

    HWND button = form->Get<TepBitmapButton>("epBtnOK").Handle();
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(54, 23));
    EXPECT_EQ(form->clicks, 1);
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(55, 10));
    EXPECT_EQ(form->clicks, 1) << "the right edge lies outside";
    ::SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form->clicks, 1) << "only the left button clicks";
    delete form;
}

TEST_F(FormTest, AMissingDesignResourceIsAReadError) {
    TForm form(nullptr);
    EXPECT_THROW(form.ReadDesign("NO_SUCH_DESIGN"), EReadError);
}

} // namespace
