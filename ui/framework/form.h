#pragma once

#include "ui/framework/graphics.h"
#include "ui/framework/win_control.h"

#include <string_view>
#include <vector>

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };
enum class TCloseAction { caNone, caHide, caFree };
using TCloseEvent = TEvent<void(TObject* sender, TCloseAction& action)>;

// A top-level window, built empty or from its stored design (an RCDATA resource).
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static constexpr TClassInfo kClassInfo{"TForm", &TWinControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // Creates a form and runs its creation handler, for forms not made through the application.
    template <class T> static T* Create(TComponent* owner) {
        T* form = new T(owner);
        form->DoCreate();
        return form;
    }
    // Runs OnCreate; an error that escapes it goes to the application's error box.
    void DoCreate();

    // Fills the form from the design stored as the RCDATA resource `name` of the program.
    void ReadDesign(const char* name);

    void SetVisible(bool visible) override;
    // Shows the form modally and returns its modal result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);
    bool Modal() const { return modal_; }
    // Asks the form to close: OnClose decides; closing the main form ends the application.
    void Close();
    // Frees the form once the messages now waiting are handled.
    void Release();

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    // The see-through colour key: pixels of exactly that colour show what lies beneath the window.
    bool TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(bool enabled);
    TColor TransparentColorValue() const { return transparentColorValue_; }
    void SetTransparentColorValue(TColor color);
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    void SetClientSize(int width, int height);
    RECT ClientRect() const override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    void Loaded() override;

protected:
    // The form that poOwnerFormCenter centres on: the owner, when it is a form.
    virtual TForm* CentringForm() const;
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CaptionChanged() override;
    bool PreviewsKeys() const override { return keyPreview_; }

private:
    void ApplyPosition();
    void ApplyColorKey();
    void FocusFirstControl();
    void CloseModal();

    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TPosition position_ = TPosition::poDesigned;
    bool keyPreview_ = false;
    bool transparentColor_ = false;
    TColor transparentColorValue_ = 0;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    int designClientWidth_ = -1;
    int designClientHeight_ = -1;
};

// The form that holds `control`, or null.
TForm* GetParentForm(const TControl* control);
