#pragma once

#include "ui/framework/format/persistent.h"
#include "ui/framework/gdi_guards.h"
#include "ui/framework/graphics.h"

#include <cstdint>
#include <functional>
#include <string>

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A font description; the GDI font is made when first asked for and remade after a change.
class TFont : public TPersistent {
public:
    TFont();
    static constexpr TClassInfo kClassInfo{"TFont", &TPersistent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative: the character height in pixels; positive: the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at 96 pixels per inch.
    int Size() const;
    void SetSize(int points);
    std::uint8_t Style() const { return style_; }
    bool HasStyle(TFontStyle style) const { return (style_ >> style) & 1u; }
    void SetStyle(std::uint8_t styleBits);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t charset);

    HFONT Handle();
    void Assign(const TPersistent* source) override;
    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;

    // Told of every change, so a control can repaint or resize.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    std::uint8_t style_ = 0;
    TColor color_ = clWindowText;
    std::uint8_t charset_ = DEFAULT_CHARSET;
    framework::UniqueGdiObject handle_;
};

constexpr std::uint8_t FontStyles(std::initializer_list<TFontStyle> styles) {
    std::uint8_t bits = 0;
    for (TFontStyle s : styles)
        bits = static_cast<std::uint8_t>(bits | (1u << s));
    return bits;
}
