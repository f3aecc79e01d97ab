#include "ui/framework/format/property_io.h"

#include "tests/framework/format/test_components.h"

#include <gtest/gtest.h>

namespace {

// A root whose colour and cursor are stored through the named-value helpers.
class TPainted : public TComponent {
public:
    TPainted() : TComponent(nullptr) {}
    static constexpr TClassInfo kClassInfo{"TPainted", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }
    bool ReadProperty(std::string_view name, TReader& reader) override {
        if (name == "Color")
            color = ReadColor(reader);
        else if (name == "Cursor")
            cursor = ReadCursor(reader);
        else
            return TComponent::ReadProperty(name, reader);
        return true;
    }
    void WriteProperties(TWriter& writer) const {
        WriteColor(writer, "Color", color);
        WriteCursor(writer, "Cursor", cursor);
    }

    TColor color = clNone;
    int cursor = crDefault;
};

std::vector<std::uint8_t> Design(std::string_view color, std::string_view cursor) {
    return DesignFromText("object p: TPainted\n  Color = " + std::string(color) +
                          "\n  Cursor = " + std::string(cursor) + "\nend\n");
}

TEST(PropertyIo, NamedValuesStayNamesAndOthersNumbers) {
    struct Case {
        std::string_view colorText;
        TColor color;
        std::string_view cursorText;
        int cursor;
    };
    for (const Case& c : {Case{"clBtnFace", clBtnFace, "crHandPoint", crHandPoint},
                          Case{"clWindow", clWindow, "crArrow", -2}, Case{"clNone", clNone, "crDefault", 0},
                          Case{"$00123456", 0x123456, "-5", -5}, Case{"clFuchsia", clFuchsia, "3", 3}}) {
        const std::vector<std::uint8_t> design = Design(c.colorText, c.cursorText);
        TPainted painted;
        TMemoryStream in(design);
        ReadComponentResource(in, painted);
        EXPECT_EQ(painted.color, c.color) << c.colorText;
        EXPECT_EQ(painted.cursor, c.cursor) << c.cursorText;

        TMemoryStream out;
        RegisterPropertyWriters<TPainted>();
        WriteComponentResource(out, painted);
        EXPECT_EQ(out.Bytes(), design) << c.colorText << " and " << c.cursorText << " are stored as read";
    }
}

TEST(PropertyIo, RefusesANameItDoesNotKnow) {
    TPainted painted;
    TMemoryStream in(Design("clPlaid", "crDefault"));
    try {
        ReadComponentResource(in, painted);
        FAIL() << "an unknown colour was taken";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading p.Color: Invalid property value clPlaid");
    }
}

} // namespace
