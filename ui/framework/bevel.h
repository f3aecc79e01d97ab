#pragma once

#include "ui/framework/custom_control.h"

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box, frame or line.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    static constexpr TClassInfo kClassInfo{"TBevel", &TGraphicControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;

protected:
    void Paint() override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};
