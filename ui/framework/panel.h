#pragma once

#include "ui/framework/custom_control.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

// A plain windowed area in its colour, with an optional raised or lowered edge and a centred caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    static constexpr TClassInfo kClassInfo{"TPanel", &TCustomControl::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;

protected:
    void Paint() override;

private:
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
};
