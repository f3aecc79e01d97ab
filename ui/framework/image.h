#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/custom_control.h"

#include <memory>

// A picture: its bitmap at its own size, or stretched to the control's bounds; auto-size makes the
// control the bitmap's size. A stored design holds the bitmap as "Picture.Data", in the bitmap's own
// "Data" form.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    static constexpr TClassInfo kClassInfo{"TImage", &TGraphicControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TBitmap& Picture() { return *picture_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    TPersistent* SubObject(std::string_view name) override;
    void Loaded() override;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TBitmap> picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
};
