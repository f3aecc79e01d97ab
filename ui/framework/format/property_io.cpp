#include "ui/framework/format/property_io.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"

#include <array>
#include <utility>

namespace {

struct Named {
    std::string_view name;
    std::int32_t value;
};

constexpr std::array kColors{
    Named{"clNone", static_cast<std::int32_t>(clNone)},
    Named{"clDefault", static_cast<std::int32_t>(clDefault)},
    Named{"clBlack", 0x000000},
    Named{"clMaroon", 0x000080},
    Named{"clGreen", 0x008000},
    Named{"clOlive", 0x008080},
    Named{"clNavy", 0x800000},
    Named{"clPurple", 0x800080},
    Named{"clTeal", 0x808000},
    Named{"clGray", 0x808080},
    Named{"clSilver", 0xC0C0C0},
    Named{"clRed", 0x0000FF},
    Named{"clLime", 0x00FF00},
    Named{"clYellow", 0x00FFFF},
    Named{"clBlue", 0xFF0000},
    Named{"clFuchsia", 0xFF00FF},
    Named{"clAqua", 0xFFFF00},
    Named{"clWhite", 0xFFFFFF},
    Named{"clBtnFace", static_cast<std::int32_t>(clBtnFace)},
    Named{"clWindowText", static_cast<std::int32_t>(clWindowText)},
    Named{"clWindow", static_cast<std::int32_t>(clWindow)},
    Named{"clBtnShadow", static_cast<std::int32_t>(clBtnShadow)},
    Named{"clBtnHighlight", static_cast<std::int32_t>(clBtnHighlight)},
    Named{"clBtnText", static_cast<std::int32_t>(clBtnText)},
};

constexpr std::array kCursors{Named{"crDefault", crDefault}, Named{"crArrow", -2},
                              Named{"crHandPoint", crHandPoint}};

template <std::size_t N> std::int32_t ReadNamed(TReader& reader, const std::array<Named, N>& names) {
    if (reader.NextValue() != TValueType::vaIdent)
        return reader.ReadInteger();
    const std::string ident = reader.ReadIdent();
    for (const Named& n : names)
        if (n.name == ident)
            return n.value;
    reader.Error("Invalid property value " + ident);
}

template <std::size_t N>
void WriteNamed(TWriter& writer, std::string_view name, std::int32_t value,
                const std::array<Named, N>& names) {
    for (const Named& n : names)
        if (n.value == value) {
            writer.WriteIdent(name, n.name);
            return;
        }
    writer.WriteInteger(name, value);
}

} // namespace

TColor ReadColor(TReader& reader) {
    return static_cast<TColor>(ReadNamed(reader, kColors));
}

void WriteColor(TWriter& writer, std::string_view name, TColor color) {
    WriteNamed(writer, name, static_cast<std::int32_t>(color), kColors);
}

int ReadCursor(TReader& reader) {
    return ReadNamed(reader, kCursors);
}

void WriteCursor(TWriter& writer, std::string_view name, int cursor) {
    WriteNamed(writer, name, cursor, kCursors);
}
