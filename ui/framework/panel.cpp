#include "ui/framework/panel.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 3> kBevels{"bvNone", "bvLowered", "bvRaised"};
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel != bevelOuter_) {
        bevelOuter_ = bevel;
        Invalidate();
    }
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    const RECT client = ClientRect();
    canvas.SetBrushColor(Color());
    canvas.FillRect(client);
    if (bevelOuter_ != TPanelBevel::bvNone) {
        const bool raised = bevelOuter_ == TPanelBevel::bvRaised;
        const TColor light = raised ? clBtnHighlight : clBtnShadow;
        const TColor dark = raised ? clBtnShadow : clBtnHighlight;
        const int r = client.right - 1;
        const int b = client.bottom - 1;
        canvas.Line(0, b, 0, 0, light);
        canvas.Line(0, 0, r, 0, light);
        canvas.Line(r, 0, r, b, dark);
        canvas.Line(r, b, -1, b, dark);
    }
    if (!Caption().empty()) {
        RECT text = client;
        canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

bool TPanel::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "BevelOuter") {
        bevelOuter_ = static_cast<TPanelBevel>(reader.ReadEnum(kBevels));
        return true;
    }
    return TCustomControl::ReadProperty(name, reader);
}

void TPanel::WriteProperties(TWriter& writer) const {
    if (bevelOuter_ != TPanelBevel::bvRaised)
        writer.WriteIdent("BevelOuter", kBevels[static_cast<std::size_t>(bevelOuter_)]);
}
