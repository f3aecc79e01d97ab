#include "ui/framework/font.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/property_io.h"
#include "ui/framework/window_api.h"

#include <array>

namespace {
constexpr int kPixelsPerInch = 96;
constexpr std::array<std::string_view, 4> kStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::array<std::string_view, 3> kCharsetNames{"ANSI_CHARSET", "DEFAULT_CHARSET", "HANGEUL_CHARSET"};
constexpr std::array<std::uint8_t, 3> kCharsets{ANSI_CHARSET, DEFAULT_CHARSET, HANGEUL_CHARSET};
} // namespace

TFont::TFont() = default;

void TFont::SetName(const std::string& name) {
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int TFont::Size() const {
    return -::MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-::MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetStyle(std::uint8_t styleBits) {
    if (styleBits != style_) {
        style_ = styleBits;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetCharset(std::uint8_t charset) {
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTA font{};
        font.lfHeight = height_;
        font.lfWeight = HasStyle(fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = HasStyle(fsItalic);
        font.lfUnderline = HasStyle(fsUnderline);
        font.lfStrikeOut = HasStyle(fsStrikeOut);
        font.lfCharSet = charset_;
        font.lfQuality = DEFAULT_QUALITY;
        name_.copy(font.lfFaceName, LF_FACESIZE - 1);
        handle_.reset(framework::CreateFrameworkFont(font));
    }
    return static_cast<HFONT>(handle_.get());
}

void TFont::Assign(const TPersistent* source) {
    const auto* font = ObjectAs<const TFont>(source);
    if (font == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (font->name_ == name_ && font->height_ == height_ && font->style_ == style_ &&
        font->color_ == color_ && font->charset_ == charset_)
        return;
    name_ = font->name_;
    height_ = font->height_;
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    Changed();
}

void TFont::Changed() {
    handle_.reset();
    if (OnChange)
        OnChange();
}

bool TFont::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "Name")
        name_ = reader.ReadString();
    else if (name == "Height")
        height_ = reader.ReadInteger();
    else if (name == "Size")
        height_ = -::MulDiv(reader.ReadInteger(), kPixelsPerInch, 72);
    else if (name == "Style")
        style_ = static_cast<std::uint8_t>(reader.ReadSetBits(kStyleNames));
    else if (name == "Color")
        color_ = ReadColor(reader);
    else if (name == "Charset") {
        if (reader.NextValue() == TValueType::vaIdent)
            charset_ = kCharsets[static_cast<std::size_t>(reader.ReadEnum(kCharsetNames))];
        else
            charset_ = static_cast<std::uint8_t>(reader.ReadInteger());
    } else
        return TPersistent::ReadProperty(name, reader);
    Changed();
    return true;
}

void TFont::WriteProperties(TWriter& writer) const {
    writer.WriteInteger("Charset", charset_);
    WriteColor(writer, "Color", color_);
    writer.WriteInteger("Height", height_);
    writer.WriteString("Name", name_);
    writer.WriteSetBits("Style", style_, kStyleNames);
}
