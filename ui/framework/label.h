#pragma once

#include "ui/framework/custom_control.h"

// Text in the label's font. Line breaks in the caption start new lines; there is no word wrap.
// Auto-size makes the label the size of its text; a transparent label shows its parent beneath.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    static constexpr TClassInfo kClassInfo{"TLabel", &TGraphicControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    void Loaded() override;

protected:
    void Paint() override;
    void CaptionChanged() override { AdjustBounds(); }
    void FontChanged() override { AdjustBounds(); }

private:
    void AdjustBounds();

    bool autoSize_ = true;
    bool transparent_ = false;
};
