#include "ui/message/uMessage.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/win32/module_file_path.h"
#include "platform/win32/system_function.h"
#include "ui/controls/mediabtn.h"
#include "ui/framework/application.h"
#include "ui/framework/bevel.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/image.h"
#include "ui/framework/image_list.h"
#include "ui/framework/label.h"
#include "ui/framework/panel.h"
#include "ui/framework/register_classes.h"
#include "ui/framework/window_api.h"
#include "ui/message/message_accessible.h"
#include "ui/message/message_form.h"
#include "ui/message/message_layout.h"

#include <any>
#include <functional>
#include <memory>

TfMessage* fMessage = nullptr;
std::uint16_t KeyResult = krNone;

namespace {

constexpr const char* kTitleWords[] = {"확인", "안내", "주의", "경고"};
constexpr WPARAM kMoveByCaption = 0xF012; // SC_MOVE + HTCAPTION
constexpr const char* kHelpTitle = "Mivora란?";
constexpr const wchar_t* kHelpTitleWide = L"Mivora란?";

// The viewer's title is Unicode on NT whatever the system's language, so it is looked up by the
// Unicode title, converted when this program was built: a Windows without code page 949 could not.
HWND FindHelpViewer() {
    if (framework::WideWindows())
        return ::FindWindowW(L"HH Parent", kHelpTitleWide);
    return ::FindWindowA("HH Parent", kHelpTitle);
}

void RegisterDialogClasses() {
    RegisterFrameworkClasses();
    RegisterMediaBtnClasses();
}

template <class T> T* Bind(const TComponent& form, std::string_view name) {
    auto* control = ObjectAs<T>(form.FindComponent(name));
    if (control == nullptr)
        throw platform::Error("The message dialog's design lacks " + std::string(name));
    return control;
}

void Place(TControl& control, const LayoutRect& r) {
    control.SetBounds(r.left, r.top, r.width, r.height);
}

void Move(TControl& control, const LayoutPoint& p) {
    control.SetBounds(p.left, p.top, control.Width(), control.Height());
}

LayoutSize SizeOf(const TControl& control) {
    return {control.Width(), control.Height()};
}

// Image `index` of `list` drawn with its mask over `background` into `picture`; an index the list
// lacks leaves the picture empty.
void TakeListImage(TImageList& list, int index, TBitmap& picture,
                   const std::function<void(TCanvas&)>& background) {
    picture.SetSize(0, 0);
    if (index < 0 || index >= list.Count())
        return;
    picture.SetSize(list.Width(), list.Height());
    background(picture.Canvas());
    list.Draw(picture.Canvas(), 0, 0, index);
}

} // namespace

TfMessage::TfMessage(TForm* ownerForm)
    : TForm(nullptr), ownerForm_(ownerForm), accessibility_(std::make_unique<MessageAccessibility>(*this)) {
    RegisterDialogClasses();
    PublishHandlers();
    ReadDesign(kMessageDesign);
    BindControls();
    if (ownerForm_ != nullptr)
        ownerForm_->FreeNotification(this);
}

TfMessage::~TfMessage() {
    // Gone before the window is: a message that comes meanwhile finds no view.
    accessibility_.reset();
}

void TfMessage::SetVisible(bool visible) {
    TForm::SetVisible(visible);
    if (accessibility_ != nullptr)
        accessibility_->Shown(Visible());
}

void TfMessage::ControlChanged(TControl& control, TControlChange change) {
    if (accessibility_ != nullptr)
        accessibility_->Changed(control, change);
}

LRESULT TfMessage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (accessibility_ != nullptr && accessibility_->Handle(message, wParam, lParam, result))
        return result;
    return TForm::WndProc(message, wParam, lParam);
}

void TfMessage::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation == TOperation::opRemove && component == ownerForm_)
        ownerForm_ = nullptr;
}

void TfMessage::PublishHandlers() {
    PublishMethod("epBtnCancelClick",
                  std::function<void(TObject*)>([this](TObject* s) { epBtnCancelClick(s); }));
    PublishMethod("epBtnOKClick", std::function<void(TObject*)>([this](TObject* s) { epBtnOKClick(s); }));
    PublishMethod("imgTopCenterMouseDown", std::function<void(TObject*, TMouseButton, TShiftState, int, int)>(
                                               [this](TObject* s, TMouseButton b, TShiftState sh, int x,
                                                      int y) { imgTopCenterMouseDown(s, b, sh, x, y); }));
    PublishMethod("FormShow", std::function<void(TObject*)>([this](TObject* s) { FormShow(s); }));
    PublishMethod("FormKeyDown", std::function<void(TObject*, WORD&, TShiftState)>(
                                     [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); }));
    PublishMethod("FormKeyPress",
                  std::function<void(TObject*, char&)>([this](TObject* s, char& k) { FormKeyPress(s, k); }));
}

void TfMessage::BindControls() {
    pnlTop = Bind<TPanel>(*this, "pnlTop");
    imgTopLeft = Bind<TImage>(*this, "imgTopLeft");
    imgTopRight = Bind<TImage>(*this, "imgTopRight");
    imgTopCenter = Bind<TImage>(*this, "imgTopCenter");
    pnlCenter = Bind<TPanel>(*this, "pnlCenter");
    pnlBottom = Bind<TPanel>(*this, "pnlBottom");
    imgLeft = Bind<TImage>(*this, "imgLeft");
    imgRight = Bind<TImage>(*this, "imgRight");
    imgBottomLeft = Bind<TImage>(*this, "imgBottomLeft");
    imgBottomCenter = Bind<TImage>(*this, "imgBottomCenter");
    imgBottomRight = Bind<TImage>(*this, "imgBottomRight");
    bvlFrame = Bind<TBevel>(*this, "bvlFrame");
    imgInfo = Bind<TImage>(*this, "imgInfo");
    lblMessageMain = Bind<TLabel>(*this, "lblMessageMain");
    lblMessageSub = Bind<TLabel>(*this, "lblMessageSub");
    imgTitle = Bind<TImage>(*this, "imgTitle");
    lblTitle = Bind<TLabel>(*this, "lblTitle");
    pnlBtn = Bind<TPanel>(*this, "pnlBtn");
    epBtnOK = Bind<TepBitmapButton>(*this, "epBtnOK");
    epBtnCancel = Bind<TepBitmapButton>(*this, "epBtnCancel");
    imgListInfo = Bind<TImageList>(*this, "imgListInfo");
    imgListTitle = Bind<TImageList>(*this, "imgListTitle");
}

void TfMessage::epBtnCancelClick(TObject*) {
    SetModalResult(mrCancel);
}

void TfMessage::epBtnOKClick(TObject*) {
    SetModalResult(mrOk);
}

void TfMessage::imgTopCenterMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != TMouseButton::mbLeft)
        return;
    // The system's move loop takes the rest of the press, release included: the framework hears of it as
    // the capture leaving the band.
    ::ReleaseCapture();
    ::SendMessageA(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
}

// The outermost pixel line goes, and the corners are rounded off.
void TfMessage::FormShow(TObject*) {
    framework::UniqueGdiObject region(::CreateRoundRectRgn(1, 1, Width() - 1, Height() - 1, 8, 8));
    if (::SetWindowRgn(Handle(), static_cast<HRGN>(region.get()), TRUE) != 0)
        region.release(); // the window owns it now
}

void TfMessage::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (key == VK_F4 && (shift & (ssShift | ssAlt | ssCtrl)) == ssAlt) {
        key = 0;
        return;
    }
    if (key == VK_F1)
        ShowHelp();
}

// Enter and Escape decide the result but go on to the focused button.
void TfMessage::FormKeyPress(TObject*, char& key) {
    if (key == VK_RETURN) {
        KeyResult = krEnter;
        SetModalResult(mrOk);
    } else if (key == VK_ESCAPE) {
        KeyResult = krEscape;
        SetModalResult(mrCancel);
    }
}

void TfMessage::AdjustLayout(int type) {
    TakeTypePictures(type);
    PlaceControls(ComputeMessageLayout(MeasureControls()));
}

void TfMessage::TakeTypePictures(int type) {
    // The title mark lies on the band and the icon on the white body: each picture starts as what lies
    // beneath it, so the masked image shows no box.
    TakeListImage(*imgListTitle, type - 1, imgTitle->Picture(), [this](TCanvas& canvas) {
        imgTopCenter->Picture().StretchDraw(canvas, RECT{0, -imgTitle->Top(), imgTitle->Picture().Width(),
                                                         pnlTop->Height() - imgTitle->Top()});
    });
    TakeListImage(*imgListInfo, type - 1, imgInfo->Picture(), [this](TCanvas& canvas) {
        canvas.SetBrushColor(pnlCenter->Color());
        canvas.FillRect(RECT{0, 0, imgInfo->Picture().Width(), imgInfo->Picture().Height()});
    });
    imgTitle->Invalidate();
    imgInfo->Invalidate();
}

MessageLayoutInput TfMessage::MeasureControls() const {
    MessageLayoutInput in;
    in.mainText = SizeOf(*lblMessageMain);
    in.subText = SizeOf(*lblMessageSub);
    in.subTextEmpty = lblMessageSub->Caption().empty();
    in.cancelVisible = epBtnCancel->Visible();
    in.icon = SizeOf(*imgInfo);
    in.titleMark = SizeOf(*imgTitle);
    in.titleTextWidth = lblTitle->Width();
    MessageSkinMetrics& skin = in.skin;
    skin.topBandHeight = pnlTop->Height();
    skin.bottomBandHeight = pnlBottom->Height();
    skin.topLeftWidth = imgTopLeft->Width();
    skin.topRightWidth = imgTopRight->Width();
    skin.leftEdgeLeft = imgLeft->Left();
    skin.leftEdgeWidth = imgLeft->Width();
    skin.rightEdgeWidth = imgRight->Width();
    skin.bottomLeftWidth = imgBottomLeft->Width();
    skin.bottomRightWidth = imgBottomRight->Width();
    skin.titleTextTop = lblTitle->Top();
    skin.okButton = SizeOf(*epBtnOK);
    skin.cancelButton = SizeOf(*epBtnCancel);
    return in;
}

void TfMessage::PlaceControls(const MessageLayout& out) {
    SetClientSize(out.client.width, out.client.height);
    Place(*pnlTop, out.topBand);
    Place(*pnlCenter, out.bodyBand);
    Place(*pnlBottom, out.bottomBand);
    Place(*imgTopLeft, out.topLeft);
    Place(*imgTopCenter, out.topCenter);
    Place(*imgTopRight, out.topRight);
    Place(*imgLeft, out.leftEdge);
    Place(*imgRight, out.rightEdge);
    Place(*imgBottomLeft, out.bottomLeft);
    Place(*imgBottomCenter, out.bottomCenter);
    Place(*imgBottomRight, out.bottomRight);
    Move(*imgTitle, out.titleMark);
    Move(*lblTitle, out.titleText);
    Place(*bvlFrame, out.frame);
    Place(*pnlBtn, out.buttonPanel);
    Move(*epBtnOK, out.okButton);
    if (out.cancelButton)
        Move(*epBtnCancel, *out.cancelButton);
    Move(*imgInfo, out.icon);
    Move(*lblMessageMain, out.mainText);
    Move(*lblMessageSub, out.subText);
}

int ShowMessageDialog(int type, const std::string& mainText, const std::string& subText, std::uint8_t buttons,
                      TForm* owner) {
    InitializeApplication();
    bool ownerStaysOnTop = false;
    // Runs also when the showing is left by an error. A message shown from a handler while another
    // dialog is open gives that dialog back its place and its keyboard result, which decides its own.
    struct Cleanup {
        bool& ownerStaysOnTop;
        TfMessage* outer;
        std::uint16_t outerKeyResult;
        std::unique_ptr<TfMessage> dialog;
        ~Cleanup() {
            TForm* owner = dialog->OwnerForm(); // none when freed meanwhile
            dialog.reset();
            fMessage = outer;
            if (outer != nullptr)
                KeyResult = outerKeyResult;
            if (ownerStaysOnTop && owner != nullptr) {
                owner->SetFormStyle(TFormStyle::fsStayOnTop);
                owner->Repaint();
            }
        }
    } cleanup{ownerStaysOnTop, fMessage, KeyResult, std::make_unique<TfMessage>(owner)};
    TfMessage& dialog = *cleanup.dialog;
    fMessage = &dialog;

    if (type >= mtConfirm && type <= mtWarning)
        dialog.lblTitle->SetCaption(kTitleWords[type - 1]);
    dialog.lblMessageMain->SetCaption(mainText);
    dialog.lblMessageSub->SetCaption(subText);
    dialog.epBtnOK->SetVisible(true);
    dialog.epBtnCancel->SetVisible((buttons & mbCancel) != 0);
    dialog.AdjustLayout(type);

    dialog.SetPosition(TPosition::poOwnerFormCenter);
    KeyResult = krNone;
    ownerStaysOnTop = owner != nullptr && owner->FormStyle() == TFormStyle::fsStayOnTop;
    if (owner == nullptr || !owner->Visible())
        dialog.SetPosition(TPosition::poScreenCenter);

    const TModalResult result = dialog.ShowModal();
    return result == mrOk || KeyResult == krEnter ? mrOk : mrCancel;
}

void ShowHelp() {
    if (HWND help = FindHelpViewer()) {
        ::SetForegroundWindow(help);
        return;
    }
    const std::string path = ModuleDirectory(nullptr) + "Mivora.chm";
    if (!platform::FileExists(path))
        return;
    // shell32 is loaded for this alone, not at every start.
    using ExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static const auto execute = platform::SystemFunction<ExecuteProc>("shell32.dll", "ShellExecuteA");
    if (execute != nullptr)
        execute(Application != nullptr ? Application->Handle() : nullptr, "open", path.c_str(), "", "",
                SW_SHOW);
}
