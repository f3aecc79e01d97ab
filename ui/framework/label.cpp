#include "ui/framework/label.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/window_api.h"

namespace {
constexpr UINT kTextFormat = DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        AdjustBounds();
    }
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

// An empty caption still measures one line, so an empty label keeps a line's height.
void TLabel::AdjustBounds() {
    if (Loading() || !autoSize_) {
        Invalidate();
        return;
    }
    framework::WindowDc screen(nullptr);
    framework::SelectGuard font(screen.get(), Font().Handle());
    RECT rect{0, 0, 0, 0};
    framework::DrawFrameworkText(screen.get(), Caption().empty() ? std::string_view(" ") : Caption(), rect,
                                 kTextFormat | DT_CALCRECT);
    SetBounds(Left(), Top(), rect.right, rect.bottom);
    Invalidate();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT client = ClientRect();
    if (!transparent_) {
        canvas.SetBrushColor(Color());
        canvas.FillRect(client);
    }
    canvas.DrawText(Caption(), client, kTextFormat);
}

bool TLabel::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "AutoSize")
        autoSize_ = reader.ReadBool();
    else if (name == "Transparent")
        transparent_ = reader.ReadBool();
    else if (name == "WordWrap" || name == "Layout" || name == "Alignment")
        reader.SkipValue(); // labels here are left-aligned, top-laid and never wrap
    else
        return TGraphicControl::ReadProperty(name, reader);
    return true;
}

void TLabel::WriteProperties(TWriter& writer) const {
    if (!autoSize_)
        writer.WriteBool("AutoSize", false);
    if (transparent_)
        writer.WriteBool("Transparent", true);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}
