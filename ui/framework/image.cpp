#include "ui/framework/image.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this] { PictureChanged(); };
}

void TImage::SetAutoSize(bool autoSize) {
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        PictureChanged();
    }
}

void TImage::SetStretch(bool stretch) {
    if (stretch != stretch_) {
        stretch_ = stretch;
        Invalidate();
    }
}

void TImage::PictureChanged() {
    if (Loading())
        return;
    if (autoSize_ && !picture_->Empty())
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

void TImage::Paint() {
    if (picture_->Empty())
        return;
    if (stretch_)
        picture_->StretchDraw(Canvas(), ClientRect());
    else
        picture_->Draw(Canvas(), 0, 0);
}

bool TImage::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "AutoSize")
        autoSize_ = reader.ReadBool();
    else if (name == "Stretch")
        stretch_ = reader.ReadBool();
    else
        return TGraphicControl::ReadProperty(name, reader);
    return true;
}

void TImage::WriteProperties(TWriter& writer) const {
    if (autoSize_)
        writer.WriteBool("AutoSize", true);
    if (stretch_)
        writer.WriteBool("Stretch", true);
    writer.WriteObject("Picture", *picture_);
}

TPersistent* TImage::SubObject(std::string_view name) {
    if (name == "Picture")
        return picture_.get();
    return TGraphicControl::SubObject(name);
}

void TImage::Loaded() {
    TGraphicControl::Loaded();
    PictureChanged();
}
