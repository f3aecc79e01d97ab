#include "ui/framework/format/form_writer.h"

#include "tests/framework/format/test_components.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Written(TComponent& root) {
    RegisterTestClasses();
    TMemoryStream stream;
    WriteComponentResource(stream, root);
    return stream.TakeBytes();
}

TEST(FormWriter, WhatItWritesReadsBackTheSame) {
    RegisterTestClasses();
    TTestForm form;
    form.SetName("frmTest");
    form.SetTag(-1);
    auto* pnl = new TTestItem(&form);
    pnl->SetName("pnl");
    pnl->SetParentComponent(&form);
    pnl->count = 70000;
    pnl->caption = std::string(300, 'x'); // a long string
    pnl->color = "clBlack";
    pnl->font.style = 0b011;
    pnl->font.data = {0, 1, 2};
    auto* btn = new TTestItem(&form);
    btn->SetName("btn");
    btn->SetParentComponent(pnl);
    btn->count = -2;
    btn->visible = false;
    btn->partner = pnl;
    btn->OnClick = TNotifyEvent("ItemClick", [](TObject*) {});

    const std::vector<std::uint8_t> design = Written(form);
    TTestForm copy;
    TMemoryStream stream(design);
    ReadComponentResource(stream, copy);

    EXPECT_EQ(copy.Name(), "frmTest");
    EXPECT_EQ(copy.Tag(), -1);
    TTestItem* pnl2 = copy.Item("pnl");
    TTestItem* btn2 = copy.Item("btn");
    ASSERT_NE(pnl2, nullptr);
    ASSERT_NE(btn2, nullptr);
    EXPECT_EQ(btn2->parent, pnl2) << "children are nested in their parent";
    EXPECT_EQ(pnl2->count, 70000);
    EXPECT_EQ(pnl2->caption, pnl->caption);
    EXPECT_EQ(pnl2->color, "clBlack");
    EXPECT_EQ(pnl2->font.style, 0b011u);
    EXPECT_EQ(pnl2->font.data, pnl->font.data);
    EXPECT_EQ(btn2->count, -2);
    EXPECT_FALSE(btn2->visible);
    EXPECT_EQ(btn2->partner, pnl2);
    EXPECT_EQ(btn2->OnClick.Name(), "ItemClick");

    // And writing the copy gives the same bytes.
    EXPECT_EQ(Written(copy), design);
}

TEST(FormWriter, EncodesIntegersInTheSmallestFormAndBlocksWithTheirCount) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteIntegerValue(-128);
    writer.WriteIntegerValue(128);
    writer.WriteIntegerValue(-32769);
    writer.WriteBinaryValue(std::vector<std::uint8_t>{7});
    writer.WriteBinaryValue({});
    EXPECT_EQ(stream.Bytes(),
              (std::vector<std::uint8_t>{0x02, 0x80, 0x03, 0x80, 0x00, 0x04, 0xFF, 0x7F, 0xFF, 0xFF, 0x0A,
                                         1,    0,    0,    0,    7,    0x0A, 0,    0,    0,    0}));
}

TEST(FormWriter, LeavesOutWhatTheClassLeavesOut) {
    TTestForm form;
    form.SetName("f");
    // Tag 0, no items: signature, header, empty property list, empty child list.
    EXPECT_EQ(Written(form), (std::vector<std::uint8_t>{'T', 'P', 'F', '0', 9, 'T', 'T', 'e', 's', 't', 'F',
                                                        'o', 'r', 'm', 1, 'f', 0, 0}));
}

} // namespace
