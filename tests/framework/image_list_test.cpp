#include "ui/framework/image_list.h"

#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Reads an image list from a design whose "Bitmap" is a 48 x 16 strip, between `before` and `after`.
int ImagesReadFrom(const std::string& before, const std::string& after) {
    TBitmap strip;
    strip.SetSize(48, 16);
    TFormTextHost host;
    host.convertString = [](std::string_view text) { return std::string(text); };
    host.readFile = [&](const std::string&) { return strip.SaveToBmp(); };
    TMemoryStream design;
    ObjectTextToBinary("object imgList: TImageList\n" + before + "  Bitmap = @bitmap 'strip.bmp'\n" + after +
                           "end\n",
                       design, host);
    design.SetPosition(0);
    TImageList list(nullptr);
    ReadComponentResource(design, list);
    if (list.Count() > 0) {
        TBitmap image;
        EXPECT_TRUE(list.GetBitmap(0, image));
        EXPECT_EQ(image.Width(), list.Width());
        EXPECT_EQ(image.Height(), list.Height());
    }
    return list.Count();
}

TEST(ImageList, ASizeFromTheDesignIsBoundedByTheStripBeforeAnImageIsMade) {
    EXPECT_EQ(ImagesReadFrom("  Width = 12\n  Height = 16\n", ""), 4);
    EXPECT_EQ(ImagesReadFrom("  Height = 2147483647\n", ""), 0) << "an image taller than the strip";
    // Images are of one size: a size given after them drops them rather than draw them to it.
    EXPECT_EQ(ImagesReadFrom("", "  Height = 65536\n"), 0);
}

} // namespace
