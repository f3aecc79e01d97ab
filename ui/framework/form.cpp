#include "ui/framework/form.h"

#include "platform/error.h"
#include "platform/win32/system_function.h"
#include "ui/framework/app_host.h"
#include "ui/framework/format/design_pack.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/format/stream.h"
#include "ui/framework/module_resource.h"
#include "ui/framework/mouse.h"
#include "ui/framework/window_api.h"

#include <array>
#include <functional>

namespace {

constexpr UINT kReleaseMessage = WM_APP + 0x3E20;

constexpr std::array<std::string_view, 4> kBorderStyles{"bsNone", "bsSingle", "bsSizeable", "bsDialog"};
constexpr std::array<std::string_view, 2> kFormStyles{"fsNormal", "fsStayOnTop"};
constexpr std::array<std::string_view, 3> kPositions{"poDesigned", "poScreenCenter", "poOwnerFormCenter"};

// Every other enabled, visible top-level window of this thread, disabled for a modal showing and enabled
// again when it ends.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except) : except_(except) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &DisabledWindows::Collect,
                            reinterpret_cast<LPARAM>(this));
        for (HWND window : windows_)
            ::EnableWindow(window, FALSE);
    }
    ~DisabledWindows() {
        for (HWND window : windows_)
            if (::IsWindow(window))
                ::EnableWindow(window, TRUE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self) noexcept {
        auto* disabled = reinterpret_cast<DisabledWindows*>(self);
        if (window != disabled->except_ && ::IsWindowVisible(window) && ::IsWindowEnabled(window))
            disabled->windows_.push_back(window);
        return TRUE;
    }

    HWND except_;
    std::vector<HWND> windows_;
};

void CentreOn(TForm& form, const RECT& area) {
    form.SetBounds(area.left + ((area.right - area.left) - form.Width()) / 2,
                   area.top + ((area.bottom - area.top) - form.Height()) / 2, form.Width(), form.Height());
}

using LayeredAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Windows 98 and NT 4 lack it, so it is looked up rather than imported.
LayeredAttributesProc LayeredAttributes() {
    static const auto proc =
        platform::SystemFunction<LayeredAttributesProc>("user32.dll", "SetLayeredWindowAttributes");
    return proc;
}

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    if (Mouse != nullptr)
        Mouse->ControlDestroyed(this);
    if (AppHost != nullptr)
        AppHost->FormDestroyed(this);
    DestroyHandle();
}

void TForm::DoCreate() {
    if (!OnCreate)
        return;
    try {
        OnCreate(this);
    } catch (const std::exception& error) {
        ShowUnhandledException(error);
    }
}

void TForm::ReadDesign(const char* name) {
    const auto data =
        framework::ModuleResource(::GetModuleHandleA(nullptr), name, reinterpret_cast<LPCSTR>(RT_RCDATA));
    if (!data)
        throw EReadError("Resource " + std::string(name) + " not found");
    TMemoryStream stream(UnpackDesign(*data));
    ReadComponentResource(stream, *this);
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style &= ~(WS_CHILD | WS_VISIBLE);
    params.style |= WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case TBorderStyle::bsNone:
        params.style |= WS_POPUP;
        break;
    case TBorderStyle::bsSingle:
        params.style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER;
        break;
    case TBorderStyle::bsSizeable:
        params.style |= WS_OVERLAPPEDWINDOW;
        break;
    case TBorderStyle::bsDialog:
        params.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (formStyle_ == TFormStyle::fsStayOnTop)
        params.exStyle |= WS_EX_TOPMOST;
    if (transparentColor_ && LayeredAttributes() != nullptr)
        params.exStyle |= WS_EX_LAYERED;
    params.parent = AppHost != nullptr ? AppHost->Handle() : nullptr;
}

void TForm::SetVisible(bool visible) {
    if (visible == Visible())
        return;
    if (!visible) {
        TControl::SetVisible(false);
        if (HandleAllocated())
            ::ShowWindow(Handle(), SW_HIDE);
        return;
    }
    ApplyPosition();
    if (OnShow)
        OnShow(this);
    TControl::SetVisible(true);
    HWND window = Handle();
    ApplyColorKey();
    ::ShowWindow(window, SW_SHOW);
    if (formStyle_ == TFormStyle::fsStayOnTop)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FocusFirstControl();
}

void TForm::ApplyPosition() {
    RECT area;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (position_ == TPosition::poOwnerFormCenter) {
        if (TForm* owner = CentringForm(); owner != nullptr && owner->Visible()) {
            CentreOn(*this, owner->BoundsRect());
            return;
        }
    }
    if (position_ != TPosition::poDesigned)
        CentreOn(*this, area);
}

TForm* TForm::CentringForm() const {
    return ObjectAs<TForm>(Owner());
}

void TForm::ApplyColorKey() {
    if (!transparentColor_ || !HandleAllocated())
        return;
    if (LayeredAttributesProc proc = LayeredAttributes()) {
        HWND window = Handle();
        ::SetWindowLongA(window, GWL_EXSTYLE, ::GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
        proc(window, ColorToRGB(transparentColorValue_), 0, LWA_COLORKEY);
    }
}

// The first control in tab order that can take the focus gets it; the form itself otherwise.
void TForm::FocusFirstControl() {
    std::vector<TWinControl*> stops;
    CollectTabStops(stops);
    if (!stops.empty())
        stops.front()->SetFocus();
    else
        ::SetFocus(Handle());
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    if (HandleAllocated())
        ::SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetTransparentColor(bool enabled) {
    transparentColor_ = enabled;
    ApplyColorKey();
}

void TForm::SetTransparentColorValue(TColor color) {
    transparentColorValue_ = color;
    ApplyColorKey();
}

void TForm::SetClientSize(int width, int height) {
    TCreateParams params;
    CreateParams(params);
    RECT outer{0, 0, width, height};
    ::AdjustWindowRectEx(&outer, params.style, FALSE, params.exStyle);
    SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
}

RECT TForm::ClientRect() const {
    if (HandleAllocated())
        return TWinControl::ClientRect();
    TCreateParams params;
    const_cast<TForm*>(this)->TForm::CreateParams(params);
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, params.style, FALSE, params.exStyle);
    return RECT{0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
}

TModalResult TForm::ShowModal() {
    if (Visible() || modal_)
        throw platform::Error("Cannot make a visible window modal");
    if (::GetCapture() != nullptr)
        ::ReleaseCapture();
    HWND window = Handle();
    modal_ = true;
    modalResult_ = mrNone;
    struct EndModal {
        TForm& form;
        ~EndModal() {
            form.modal_ = false;
            form.Hide();
        }
    } endModal{*this};
    {
        DisabledWindows disabled(window);
        Show();
        while (modalResult_ == mrNone) {
            AppHost->HandleMessage();
            if (AppHost->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        }
        // The owner is enabled again before this window goes, so that it takes the activation back.
    }
    return modalResult_;
}

void TForm::CloseModal() {
    TCloseAction action = TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone)
        modalResult_ = mrNone;
}

void TForm::SetModalResult(TModalResult result) {
    modalResult_ = result;
    if (modal_ && HandleAllocated())
        ::PostMessageA(Handle(), WM_NULL, 0, 0); // wakes the modal loop
}

void TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    const bool mainForm = AppHost != nullptr && AppHost->MainForm() == this;
    TCloseAction action = mainForm ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    if (mainForm)
        AppHost->Terminate();
    else if (action == TCloseAction::caHide)
        Hide();
    else
        Release();
}

void TForm::Release() {
    if (HandleAllocated())
        ::PostMessageA(Handle(), kReleaseMessage, 0, 0);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case kReleaseMessage:
        delete this;
        return 0;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}

void TForm::CaptionChanged() {
    if (HandleAllocated())
        framework::SetWindowCaption(Handle(), Caption());
}

bool TForm::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "BorderStyle")
        borderStyle_ = static_cast<TBorderStyle>(reader.ReadEnum(kBorderStyles));
    else if (name == "FormStyle")
        formStyle_ = static_cast<TFormStyle>(reader.ReadEnum(kFormStyles));
    else if (name == "Position")
        position_ = static_cast<TPosition>(reader.ReadEnum(kPositions));
    else if (name == "KeyPreview")
        keyPreview_ = reader.ReadBool();
    else if (name == "TransparentColor")
        transparentColor_ = reader.ReadBool();
    else if (name == "TransparentColorValue")
        transparentColorValue_ = ReadColor(reader);
    else if (name == "ClientWidth")
        designClientWidth_ = reader.ReadInteger();
    else if (name == "ClientHeight")
        designClientHeight_ = reader.ReadInteger();
    else if (name == "OnCreate")
        OnCreate = reader.ReadEvent<void(TObject*)>();
    else if (name == "OnShow")
        OnShow = reader.ReadEvent<void(TObject*)>();
    else if (name == "OnClose")
        OnClose = reader.ReadEvent<void(TObject*, TCloseAction&)>();
    else if (name == "PixelsPerInch" || name == "TextHeight" || name == "Scaled" || name == "OldCreateOrder")
        reader.SkipValue(); // designs are laid out at 96 pixels per inch and never scaled
    else
        return TWinControl::ReadProperty(name, reader);
    return true;
}

void TForm::WriteProperties(TWriter& writer) const {
    if (borderStyle_ != TBorderStyle::bsSizeable)
        writer.WriteIdent("BorderStyle", kBorderStyles[static_cast<std::size_t>(borderStyle_)]);
    if (formStyle_ != TFormStyle::fsNormal)
        writer.WriteIdent("FormStyle", kFormStyles[static_cast<std::size_t>(formStyle_)]);
    if (position_ != TPosition::poDesigned)
        writer.WriteIdent("Position", kPositions[static_cast<std::size_t>(position_)]);
    if (keyPreview_)
        writer.WriteBool("KeyPreview", true);
    if (transparentColor_)
        writer.WriteBool("TransparentColor", true);
    if (transparentColorValue_ != 0)
        WriteColor(writer, "TransparentColorValue", transparentColorValue_);
    writer.WriteEvent("OnCreate", OnCreate);
    writer.WriteEvent("OnShow", OnShow);
    writer.WriteEvent("OnClose", OnClose);
}

void TForm::Loaded() {
    TWinControl::Loaded();
    if (designClientWidth_ >= 0 || designClientHeight_ >= 0)
        SetClientSize(designClientWidth_ >= 0 ? designClientWidth_ : ClientWidth(),
                      designClientHeight_ >= 0 ? designClientHeight_ : ClientHeight());
}

TForm* GetParentForm(const TControl* control) {
    const TControl* top = control;
    while (top != nullptr && top->Parent() != nullptr)
        top = top->Parent();
    return ObjectAs<TForm>(const_cast<TControl*>(top));
}
