#pragma once

#include <optional>

// The sizing arithmetic of the message dialog, kept apart from its controls so it can be checked on its
// own. Every halving is done on its own term ("a div 2 - b div 2", never "(a - b) div 2"), because the
// dialog's placements depend on the rounding.

struct LayoutSize {
    int width = 0;
    int height = 0;
    bool operator==(const LayoutSize&) const = default;
};

struct LayoutPoint {
    int left = 0;
    int top = 0;
    bool operator==(const LayoutPoint&) const = default;
};

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

// Sizes of the skin pieces and the fixed offsets of the stored design; the defaults are the design's.
struct MessageSkinMetrics {
    int topBandHeight = 42;    // pnlTop
    int bottomBandHeight = 32; // pnlBottom
    int topLeftWidth = 145;    // imgTopLeft
    int topRightWidth = 130;   // imgTopRight
    int leftEdgeLeft = 0;      // imgLeft
    int leftEdgeWidth = 14;
    int rightEdgeWidth = 13;   // imgRight
    int bottomLeftWidth = 26;  // imgBottomLeft
    int bottomRightWidth = 25; // imgBottomRight
    int titleTextTop = 11;     // lblTitle keeps its design top
    LayoutSize okButton{55, 24};
    LayoutSize cancelButton{55, 24};
};

// What the layout reads from the dialog once its texts and pictures are set.
struct MessageLayoutInput {
    LayoutSize mainText; // lblMessageMain, auto-sized to its text
    LayoutSize subText;  // lblMessageSub
    bool subTextEmpty = true;
    bool cancelVisible = false;
    LayoutSize icon;        // imgInfo after it took its picture (41 x 32, or empty)
    LayoutSize titleMark;   // imgTitle after it took its picture (26 x 38, or empty)
    int titleTextWidth = 0; // lblTitle
    MessageSkinMetrics skin;
};

// Every bound the layout sets. Positions are relative to the control's parent: the bands, the button
// panel and the client size to the dialog; the title group to the top band; the frame, icon, texts and
// side pieces to the body band; the buttons to the button panel; the bottom pieces to the bottom band.
struct MessageLayout {
    LayoutSize client;

    LayoutRect topBand;
    LayoutRect bodyBand;
    LayoutRect bottomBand;
    LayoutRect topLeft, topCenter, topRight;
    LayoutRect leftEdge, rightEdge;
    LayoutRect bottomLeft, bottomCenter, bottomRight;

    LayoutPoint titleMark;
    LayoutPoint titleText;

    LayoutRect frame;
    LayoutRect buttonPanel;
    LayoutPoint okButton;
    std::optional<LayoutPoint> cancelButton; // none when Cancel is hidden: it keeps its place
    LayoutPoint icon;
    LayoutPoint mainText;
    LayoutPoint subText;
};

inline constexpr int kMessageMinClientWidth = 376;
inline constexpr int kMessageMaxClientWidth = 580;
inline constexpr int kMessageMinClientHeight = 164;
inline constexpr int kMessageMaxClientHeight = 241;

MessageLayout ComputeMessageLayout(const MessageLayoutInput& input);
