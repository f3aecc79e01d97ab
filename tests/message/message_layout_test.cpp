#include "ui/message/message_layout.h"

#include <gtest/gtest.h>

namespace {

// The dialog as it is filled for a type 1-4 message: both pictures present, title word 32 pixels wide.
MessageLayoutInput Filled(LayoutSize mainText, LayoutSize subText, bool subTextEmpty, bool cancelVisible) {
    MessageLayoutInput in;
    in.mainText = mainText;
    in.subText = subText;
    in.subTextEmpty = subTextEmpty;
    in.cancelVisible = cancelVisible;
    in.icon = {41, 32};
    in.titleMark = {26, 38};
    in.titleTextWidth = 32;
    return in;
}

TEST(MessageLayout, ShortSingleLineGrowsToTheSmallestDialogAndCentresVertically) {
    const MessageLayout l = ComputeMessageLayout(Filled({200, 12}, {0, 12}, true, false));

    EXPECT_EQ(l.client, (LayoutSize{376, 164}));
    EXPECT_EQ(l.frame, (LayoutRect{29, 16, 319, 43}));
    EXPECT_EQ(l.buttonPanel, (LayoutRect{127, 113, 122, 26}));
    EXPECT_EQ(l.okButton, (LayoutPoint{34, 1}));
    EXPECT_FALSE(l.cancelButton.has_value());
    EXPECT_EQ(l.icon, (LayoutPoint{36, 21}));
    EXPECT_EQ(l.mainText, (LayoutPoint{84, 31}));
    EXPECT_EQ(l.subText, (LayoutPoint{84, 23 + 12 + 15})); // placed before the main text is centred

    EXPECT_EQ(l.titleMark, (LayoutPoint{188 - 34, 1}));
    EXPECT_EQ(l.titleText, (LayoutPoint{188 - 34 + 36, 11}));
}

TEST(MessageLayout, BandsAndEdgePiecesFollowTheClientSize) {
    const MessageLayout l = ComputeMessageLayout(Filled({200, 12}, {0, 12}, true, false));

    EXPECT_EQ(l.topBand, (LayoutRect{0, 0, 376, 42}));
    EXPECT_EQ(l.bodyBand, (LayoutRect{0, 42, 376, 90}));
    EXPECT_EQ(l.bottomBand, (LayoutRect{0, 132, 376, 32}));
    EXPECT_EQ(l.topLeft, (LayoutRect{0, 0, 145, 42}));
    EXPECT_EQ(l.topCenter, (LayoutRect{145, 0, 101, 42}));
    EXPECT_EQ(l.topRight, (LayoutRect{246, 0, 130, 42}));
    EXPECT_EQ(l.leftEdge, (LayoutRect{0, 0, 14, 90}));
    EXPECT_EQ(l.rightEdge, (LayoutRect{363, 0, 13, 90}));
    EXPECT_EQ(l.bottomLeft, (LayoutRect{0, 0, 26, 32}));
    EXPECT_EQ(l.bottomCenter, (LayoutRect{26, 0, 325, 32}));
    EXPECT_EQ(l.bottomRight, (LayoutRect{351, 0, 25, 32}));
}

TEST(MessageLayout, WideTextWithSubTextAndCancelShrinksToTheWidestDialog) {
    const MessageLayout l = ComputeMessageLayout(Filled({500, 12}, {300, 12}, false, true));

    EXPECT_EQ(l.client, (LayoutSize{580, 179}));
    EXPECT_EQ(l.frame, (LayoutRect{29, 16, 523, 58}));
    EXPECT_EQ(l.buttonPanel, (LayoutRect{229, 128, 122, 26}));
    EXPECT_EQ(l.okButton, (LayoutPoint{1, 1}));
    ASSERT_TRUE(l.cancelButton.has_value());
    EXPECT_EQ(*l.cancelButton, (LayoutPoint{66, 1}));
    EXPECT_EQ(l.icon, (LayoutPoint{36, 23}));
    EXPECT_EQ(l.mainText, (LayoutPoint{84, 23}));
    EXPECT_EQ(l.subText, (LayoutPoint{84, 50}));
}

TEST(MessageLayout, EightLinesStopAtTheTallestDialogAndRunPastTheFrame) {
    const MessageLayout l = ComputeMessageLayout(Filled({300, 96}, {100, 12}, false, false));

    EXPECT_EQ(l.client.height, 241);
    EXPECT_EQ(l.frame.height, 120);
    EXPECT_EQ(l.buttonPanel.top, 42 + 16 + 120 + 12);
    // Not centred: the texts start at the frame's top and the sub text lies below its bottom edge.
    EXPECT_EQ(l.icon, (LayoutPoint{36, 23}));
    EXPECT_EQ(l.mainText.top, 23);
    EXPECT_EQ(l.subText.top, 23 + 96 + 15);
    EXPECT_GT(l.subText.top + 12, l.frame.top + l.frame.height);
}

TEST(MessageLayout, WidthIsTextWidthPlus119BetweenTheBounds) {
    struct Case {
        int textWidth, clientWidth, frameWidth;
    };
    for (const Case c : {Case{0, 376, 319}, Case{257, 376, 319}, Case{258, 377, 320}, Case{460, 579, 522},
                         Case{461, 580, 523}, Case{900, 580, 523}}) {
        SCOPED_TRACE(c.textWidth);
        // The wider of the two texts counts.
        const MessageLayout a = ComputeMessageLayout(Filled({c.textWidth, 12}, {10, 12}, false, false));
        const MessageLayout b = ComputeMessageLayout(Filled({10, 12}, {c.textWidth, 12}, false, false));
        for (const MessageLayout& l : {a, b}) {
            EXPECT_EQ(l.client.width, c.clientWidth);
            EXPECT_EQ(l.frame.width, c.frameWidth);
            EXPECT_EQ(l.frame.width, l.client.width - 57);
        }
    }
}

TEST(MessageLayout, HeightIsFrameHeightPlus121BetweenTheBounds) {
    struct Case {
        int mainHeight, subHeight;
        bool subEmpty;
        int clientHeight, frameHeight;
    };
    for (const Case c :
         {Case{12, 12, true, 164, 43}, Case{29, 0, true, 164, 43}, Case{30, 0, true, 165, 44},
          Case{12, 12, false, 179, 58}, Case{60, 12, false, 227, 106}, Case{73, 13, false, 241, 120},
          Case{74, 13, false, 241, 120}, Case{400, 0, true, 241, 120}}) {
        SCOPED_TRACE(c.mainHeight);
        const MessageLayout l =
            ComputeMessageLayout(Filled({100, c.mainHeight}, {50, c.subHeight}, c.subEmpty, false));
        EXPECT_EQ(l.client.height, c.clientHeight);
        EXPECT_EQ(l.frame.height, c.frameHeight);
        EXPECT_EQ(l.bodyBand.height, c.clientHeight - 74);
        EXPECT_EQ(l.buttonPanel.top, 42 + 16 + c.frameHeight + 12);
    }
}

TEST(MessageLayout, HalvesEachTermOnItsOwn) {
    // 376 div 2 - 67 div 2 = 155, where (376 - 67) div 2 would give 154.
    MessageLayoutInput in = Filled({200, 12}, {0, 12}, true, false);
    in.titleTextWidth = 31;
    EXPECT_EQ(ComputeMessageLayout(in).titleMark.left, 155);

    // A 13-high text in a 42-high frame: 16 + (21 - 6) = 31, not 16 + 29 div 2 = 30.
    in.mainText = {200, 13};
    in.skin.okButton.height = 25; // one pixel more of button makes the smallest frame 42 high
    in.skin.cancelButton.height = 25;
    const MessageLayout l = ComputeMessageLayout(in);
    ASSERT_EQ(l.frame.height, 42);
    EXPECT_EQ(l.mainText.top, 16 + (21 - 6));
}

TEST(MessageLayout, MultiLineMainTextIsNotCentred) {
    const MessageLayout one = ComputeMessageLayout(Filled({200, 25}, {0, 12}, true, false));
    const MessageLayout two = ComputeMessageLayout(Filled({200, 26}, {0, 12}, true, false));
    EXPECT_EQ(one.mainText.top, 16 + (21 - 12));
    EXPECT_EQ(one.icon.top, 21);
    EXPECT_EQ(two.mainText.top, 23);
    EXPECT_EQ(two.icon.top, 23);
}

TEST(MessageLayout, TextsAndTitleFollowThePictureSizes) {
    // The layout takes the pictures' sizes as they are; with none at all their places close up. (The
    // dialog itself keeps an emptied picture's size, so an unknown type is laid out as usual.)
    MessageLayoutInput in = Filled({200, 12}, {0, 12}, true, false);
    in.icon = {0, 0};
    in.titleMark = {0, 0};
    const MessageLayout l = ComputeMessageLayout(in);
    EXPECT_EQ(l.frame.width, 319);
    EXPECT_EQ(l.mainText.left, 29 + 7 + 7);
    EXPECT_EQ(l.icon.top, 16 + 21);
    EXPECT_EQ(l.titleText.left, 188 - 21 + 10);
}

} // namespace
