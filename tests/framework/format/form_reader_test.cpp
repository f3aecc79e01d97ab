#include "ui/framework/format/form_reader.h"

#include "tests/framework/format/test_components.h"

#include <gtest/gtest.h>

namespace {

class FormReader : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }

    static void Read(const std::vector<std::uint8_t>& design, TComponent& root) {
        TMemoryStream stream(design);
        ReadComponentResource(stream, root);
    }
    // The reader's error text for a design read into a fresh form.
    static std::string ErrorOf(const std::vector<std::uint8_t>& design) {
        TTestForm form;
        try {
            Read(design, form);
        } catch (const EReadError& e) {
            EXPECT_EQ(form.ComponentCount(), 0) << "components of a failed read stay";
            return e.what();
        }
        return "no error";
    }
};

const char* const kDesign = R"(
object frmTest: TTestForm
  Tag = 7
  object pnl: TTestItem
    Count = -100000
    Caption = 'it''s'#13#10'two'
    Visible = False
    Color = clWhite
    Partner = btn
    Font.Name = 'Gulim'
    Font.Style = [fsBold, fsUnderline]
    Font.Data = { 01 02 FF }
    object btn: TTestItem
      Count = 300
      OnClick = ItemClick
      Partner = lone
    end
  end
  object lone: TTestItem
    Partner = nil
    OnClick = nil
  end
end
)";

TEST_F(FormReader, BuildsTheTreeWithEveryKindOfValue) {
    TTestForm form;
    Read(DesignFromText(kDesign), form);

    EXPECT_EQ(form.Name(), "frmTest");
    EXPECT_EQ(form.Tag(), 7);
    ASSERT_EQ(form.ComponentCount(), 3);
    TTestItem* pnl = form.Item("pnl");
    TTestItem* btn = form.Item("btn");
    ASSERT_NE(pnl, nullptr);
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(pnl->Owner(), &form);
    EXPECT_EQ(btn->Owner(), &form);
    EXPECT_EQ(pnl->parent, &form);
    EXPECT_EQ(btn->parent, pnl);

    EXPECT_EQ(pnl->count, -100000);
    EXPECT_EQ(pnl->caption, "it's\r\ntwo");
    EXPECT_FALSE(pnl->visible);
    EXPECT_EQ(pnl->color, "clWhite");
    EXPECT_EQ(pnl->font.fontName, "Gulim");
    EXPECT_EQ(pnl->font.style, 0b101u);
    EXPECT_EQ(pnl->font.data, (std::vector<std::uint8_t>{1, 2, 0xFF}));
    EXPECT_EQ(btn->count, 300);

    // References made before their target was read are bound at the end.
    EXPECT_EQ(pnl->partner, btn);
    EXPECT_EQ(btn->partner, form.Item("lone"));
    EXPECT_EQ(form.Item("lone")->partner, nullptr);
}

TEST_F(FormReader, BindsHandlersByNameAndCallsLoadedOnceAfterTheTree) {
    TTestForm form;
    Read(DesignFromText(kDesign), form);
    TTestItem* btn = form.Item("btn");
    ASSERT_TRUE(btn->OnClick);
    EXPECT_EQ(btn->OnClick.Name(), "ItemClick");
    btn->OnClick(btn);
    EXPECT_EQ(form.clicked, btn);
    EXPECT_FALSE(form.Item("lone")->OnClick);

    for (TTestItem* item : {form.Item("pnl"), btn, form.Item("lone")}) {
        EXPECT_EQ(item->loadedCalls, 1);
        EXPECT_FALSE(item->Loading());
    }
}

TEST_F(FormReader, UsesAComponentTheRootAlreadyOwns) {
    TTestForm form;
    auto* existing = new TTestItem(&form);
    existing->SetName("pnl");
    Read(DesignFromText(kDesign), form);
    EXPECT_EQ(form.Item("pnl"), existing);
    EXPECT_EQ(existing->count, -100000);
    EXPECT_EQ(form.ComponentCount(), 3);
}

TEST_F(FormReader, CreatesTheRootThroughTheRegistry) {
    TMemoryStream stream(DesignFromText(kDesign));
    std::unique_ptr<TComponent> root = TReader(stream).ReadRootComponent();
    ASSERT_NE(ObjectAs<TTestForm>(root.get()), nullptr);
    EXPECT_EQ(root->ComponentCount(), 3);
}

TEST_F(FormReader, NamesWhatIsWrongInADesign) {
    auto errorOf = [&](std::string_view text) { return ErrorOf(DesignFromText(text)); };
    EXPECT_EQ(errorOf("object f: TOther\nend"),
              "Error reading design: the design is of class 'TOther', not TTestForm");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n end\n object b: TNoSuch\n end\nend"),
              "Error reading b: class 'TNoSuch' not found");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Size = 1\n end\nend"),
              "Error reading a.Size: property 'Size' does not exist in TTestItem");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Count = 'x'\n end\nend"),
              "Error reading a.Count: integer expected, found string");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Font.Style = [fsStrike]\n end\nend"),
              "Error reading a.Font.Style: 'fsStrike' is not an element of this set");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Caption.Data = {00}\n end\nend"),
              "Error reading a.Caption.Data: property 'Caption' of TTestItem holds no object");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n OnClick = Missing\n end\nend"),
              "Error reading a.OnClick: method 'Missing' not found in TTestForm");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n OnClick = Other\n end\nend"),
              "Error reading a.OnClick: Method 'Other' does not take this event's arguments");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Partner = ghost\n end\nend"),
              "Error reading a.Partner: component 'ghost' not found");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n Partner = f\n end\nend"),
              "Error reading a.Partner: Component 'f' has the wrong class TTestForm");
    EXPECT_EQ(errorOf("object f: TTestForm\n object g: TTestForm\n end\nend"),
              "Error reading g: class 'TTestForm' does not take the root as its owner");
    EXPECT_EQ(errorOf("object f: TTestForm\n object a: TTestItem\n end\n object a: TTestItem\n end\nend"),
              "Error reading a: a second component named 'a'");
}

TEST_F(FormReader, RefusesBrokenBytes) {
    const std::vector<std::uint8_t> good = DesignFromText(kDesign);
    EXPECT_EQ(ErrorOf({'T', 'P', 'F', '1', 0}),
              "Error reading design: not a stored design (no TPF0 signature)");
    EXPECT_EQ(ErrorOf({}), "Error reading design: the design ends early");

    // Every truncation of a good design fails cleanly, leaving nothing behind.
    for (std::size_t n = 0; n < good.size(); ++n) {
        const std::string error = ErrorOf({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)});
        EXPECT_NE(error, "no error") << "at " << n;
    }

    // A block count larger than what follows is refused before anything is allocated.
    std::vector<std::uint8_t> design = DesignFromText("object f: TTestForm\n object a: TTestItem\n"
                                                      "  Font.Data = { AA BB }\n end\nend");
    const auto tag = std::find(design.begin(), design.end(), std::uint8_t{0x0A});
    ASSERT_NE(tag, design.end());
    tag[4] = 0x7F;
    EXPECT_EQ(ErrorOf(design),
              "Error reading a.Font.Data: a count of 2130706434 bytes runs past the end of the design");

    // An unknown value tag.
    design = DesignFromText("object f: TTestForm\n object a: TTestItem\n Count = 1\n end\nend");
    const auto intTag = std::find(design.begin(), design.end(), std::uint8_t{0x02});
    *intTag = 0x05;
    EXPECT_EQ(ErrorOf(design), "Error reading a.Count: integer expected, found unknown value tag 5");
}

TEST_F(FormReader, RefusesDeepNesting) {
    std::vector<std::uint8_t> design = {'T', 'P', 'F', '0', 9,   'T', 'T', 'e',
                                        's', 't', 'F', 'o', 'r', 'm', 0,   0};
    const std::string item = "TTestItem";
    for (int depth = 0; depth < 40; ++depth) {
        design.push_back(static_cast<std::uint8_t>(item.size()));
        design.insert(design.end(), item.begin(), item.end());
        design.push_back(0); // unnamed
        design.push_back(0); // no properties
    }
    EXPECT_EQ(ErrorOf(design), "Error reading <unnamed TTestItem>: objects nested deeper than 32 levels");
}

} // namespace
