// The build's conversion of a design: form2bin's output, as the program gets it, read back.
#include "tests/framework/format/test_components.h"
#include "ui/controls/wavctrl.h"

#include <gtest/gtest.h>

// The binary form of designs/sample.txt: from the build tree natively, from an RCDATA resource in
// Windows programs.
std::vector<std::uint8_t> LoadSampleDesign();

namespace {

TEST(Form2bin, ConvertsTextStringsAndFilesIntoTheDesign) {
    RegisterTestClasses();
    RegisterWavCtrlClasses();
    TMemoryStream stream(LoadSampleDesign());
    TTestForm form;
    ReadComponentResource(stream, form);

    TTestItem* lbl = form.Item("lbl");
    ASSERT_NE(lbl, nullptr);
    EXPECT_EQ(lbl->caption, "메세지창"); // CP949 bytes in both
    EXPECT_EQ(lbl->caption.size(), 8u);
    EXPECT_EQ(lbl->font.fontName, "굴림");

    // A bitmap's block carries the file's length first; a wave's is the file alone.
    const std::vector<std::uint8_t> bmp = {'B', 'M', 0x1e, 0, 0, 0, 0, 0, 0, 0,    0x1a, 0,    0, 0,    0x0c,
                                           0,   0,   0,    1, 0, 1, 0, 1, 0, 0x18, 0,    0xff, 0, 0xff, 0};
    std::vector<std::uint8_t> block = {30, 0, 0, 0};
    block.insert(block.end(), bmp.begin(), bmp.end());
    EXPECT_EQ(lbl->font.data, block);

    auto* wp = ObjectAs<TepWavePlayer>(form.FindComponent("wp"));
    ASSERT_NE(wp, nullptr);
    EXPECT_EQ(wp->SndFlags(), 0x0005);
    const std::string wave("RIFF\x04\x00\x00\x00WAVE", 12);
    EXPECT_EQ(wp->Wave().Bytes(), std::vector<std::uint8_t>(wave.begin(), wave.end()));
}

} // namespace
