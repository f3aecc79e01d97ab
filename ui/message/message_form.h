#pragma once

#include "ui/framework/form.h"
#include "ui/message/message_layout.h"

#include <memory>

class TPanel;
class TImage;
class TBevel;
class TLabel;
class TImageList;
class TepBitmapButton;
class MessageAccessibility;

// The message dialog's form. Its controls come from the stored design; AdjustLayout fits them to the
// texts of one message.
class TfMessage : public TForm {
public:
    // Whoever creates the dialog owns it. It centres on `ownerForm` (or none) and forgets that form when
    // the form is freed.
    explicit TfMessage(TForm* ownerForm);
    ~TfMessage() override;
    static constexpr TClassInfo kClassInfo{"TfMessage", &TForm::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TPanel* pnlTop = nullptr;
    TImage* imgTopLeft = nullptr;
    TImage* imgTopRight = nullptr;
    TImage* imgTopCenter = nullptr;
    TPanel* pnlCenter = nullptr;
    TPanel* pnlBottom = nullptr;
    TImage* imgLeft = nullptr;
    TImage* imgRight = nullptr;
    TImage* imgBottomLeft = nullptr;
    TImage* imgBottomCenter = nullptr;
    TImage* imgBottomRight = nullptr;
    TBevel* bvlFrame = nullptr;
    TImage* imgInfo = nullptr;
    TLabel* lblMessageMain = nullptr;
    TLabel* lblMessageSub = nullptr;
    TImage* imgTitle = nullptr;
    TLabel* lblTitle = nullptr;
    TPanel* pnlBtn = nullptr;
    TepBitmapButton* epBtnOK = nullptr;
    TepBitmapButton* epBtnCancel = nullptr;
    TImageList* imgListInfo = nullptr;
    TImageList* imgListTitle = nullptr;

    void epBtnCancelClick(TObject* sender);
    void epBtnOKClick(TObject* sender);
    void imgTopCenterMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormShow(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormKeyPress(TObject* sender, char& key);

    // Sizes the dialog to its texts within fixed bounds and places every control; `type` picks the
    // pictures (1-4, others leave them empty).
    void AdjustLayout(int type);

    // The owner form while it exists.
    TForm* OwnerForm() const { return ownerForm_; }

    // Screen readers hear of its showing and hiding.
    void SetVisible(bool visible) override;

protected:
    TForm* CentringForm() const override { return ownerForm_; }
    void Notification(TComponent* component, TOperation operation) override;
    void ControlChanged(TControl& control, TControlChange change) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PublishHandlers();
    void BindControls();
    // The steps of AdjustLayout: the title mark and icon of `type`, what the layout reads of the
    // controls, and every control placed where the layout says.
    void TakeTypePictures(int type);
    MessageLayoutInput MeasureControls() const;
    void PlaceControls(const MessageLayout& layout);

    TForm* ownerForm_;
    std::unique_ptr<MessageAccessibility> accessibility_;
};

// The stored design's resource name.
inline constexpr const char* kMessageDesign = "TFMESSAGE";
