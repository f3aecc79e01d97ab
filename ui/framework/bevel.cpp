#include "ui/framework/bevel.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 7> kShapes{"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                                                  "bsLeftLine", "bsRightLine", "bsSpacer"};
constexpr std::array<std::string_view, 2> kStyles{"bsLowered", "bsRaised"};

// Top and left edges in one colour, bottom and right in the other.
void EdgeRect(TCanvas& canvas, int left, int top, int right, int bottom, TColor topLeft, TColor bottomRight) {
    canvas.Line(left, bottom, left, top, topLeft);
    canvas.Line(left, top, right, top, topLeft);
    canvas.Line(right, top, right, bottom, bottomRight);
    canvas.Line(right, bottom, left - 1, bottom, bottomRight);
}
} // namespace

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
    if (shape != shape_) {
        shape_ = shape;
        Invalidate();
    }
}

void TBevel::SetStyle(TBevelStyle style) {
    if (style != style_) {
        style_ = style;
        Invalidate();
    }
}

void TBevel::Paint() {
    TCanvas& canvas = Canvas();
    const TColor dark = style_ == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = style_ == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width();
    const int h = Height();
    switch (shape_) {
    case TBevelShape::bsBox:
        EdgeRect(canvas, 0, 0, w - 1, h - 1, dark, light);
        break;
    case TBevelShape::bsFrame: // an etched frame: two offset rectangles
        EdgeRect(canvas, 0, 0, w - 2, h - 2, dark, dark);
        EdgeRect(canvas, 1, 1, w - 1, h - 1, light, light);
        break;
    case TBevelShape::bsTopLine:
        canvas.Line(0, 0, w, 0, dark);
        canvas.Line(0, 1, w, 1, light);
        break;
    case TBevelShape::bsBottomLine:
        canvas.Line(0, h - 2, w, h - 2, dark);
        canvas.Line(0, h - 1, w, h - 1, light);
        break;
    case TBevelShape::bsLeftLine:
        canvas.Line(0, 0, 0, h, dark);
        canvas.Line(1, 0, 1, h, light);
        break;
    case TBevelShape::bsRightLine:
        canvas.Line(w - 2, 0, w - 2, h, dark);
        canvas.Line(w - 1, 0, w - 1, h, light);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}

bool TBevel::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "Shape")
        shape_ = static_cast<TBevelShape>(reader.ReadEnum(kShapes));
    else if (name == "Style")
        style_ = static_cast<TBevelStyle>(reader.ReadEnum(kStyles));
    else
        return TGraphicControl::ReadProperty(name, reader);
    return true;
}

void TBevel::WriteProperties(TWriter& writer) const {
    if (shape_ != TBevelShape::bsBox)
        writer.WriteIdent("Shape", kShapes[static_cast<std::size_t>(shape_)]);
    if (style_ != TBevelStyle::bsLowered)
        writer.WriteIdent("Style", kStyles[static_cast<std::size_t>(style_)]);
}
