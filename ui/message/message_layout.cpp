#include "ui/message/message_layout.h"

#include <algorithm>

namespace {

int Div(int value) {
    return value / 2;
}

// Grows or shrinks `inner` by what `outer` lacks or exceeds of [low, high], and clamps `outer`.
void Clamp(int& outer, int& inner, int low, int high) {
    if (outer < low) {
        inner += low - outer;
        outer = low;
    } else if (outer > high) {
        inner -= outer - high;
        outer = high;
    }
}

void PlaceBands(const MessageSkinMetrics& skin, MessageLayout& out) {
    const int width = out.client.width;
    const int bodyHeight = out.client.height - skin.topBandHeight - skin.bottomBandHeight;
    const int top = skin.topBandHeight;
    const int bottom = skin.bottomBandHeight;

    out.topBand = {0, 0, width, top};
    out.bodyBand = {0, top, width, bodyHeight};
    out.bottomBand = {0, top + bodyHeight, width, bottom};

    out.topLeft = {0, 0, skin.topLeftWidth, top};
    out.topRight = {width - skin.topRightWidth, 0, skin.topRightWidth, top};
    out.topCenter = {skin.topLeftWidth, 0, width - skin.topLeftWidth - skin.topRightWidth, top};

    out.leftEdge = {skin.leftEdgeLeft, 0, skin.leftEdgeWidth, bodyHeight};
    out.rightEdge = {width - skin.rightEdgeWidth, 0, skin.rightEdgeWidth, bodyHeight};

    out.bottomLeft = {0, 0, skin.bottomLeftWidth, bottom};
    out.bottomRight = {width - skin.bottomRightWidth, 0, skin.bottomRightWidth, bottom};
    out.bottomCenter = {skin.bottomLeftWidth, 0, width - skin.bottomLeftWidth - skin.bottomRightWidth,
                        bottom};
}

} // namespace

MessageLayout ComputeMessageLayout(const MessageLayoutInput& in) {
    const MessageSkinMetrics& skin = in.skin;
    MessageLayout out;

    const int textWidth = std::max(in.mainText.width, in.subText.width);
    int frameWidth = textWidth + in.icon.width + 21;
    int clientWidth = skin.leftEdgeWidth + frameWidth + skin.rightEdgeWidth + 30;
    Clamp(clientWidth, frameWidth, kMessageMinClientWidth, kMessageMaxClientWidth);

    int frameHeight = in.mainText.height + 14;
    if (!in.subTextEmpty) {
        frameHeight += in.subText.height + 20;
    }
    int clientHeight = skin.topBandHeight + frameHeight + skin.bottomBandHeight + skin.okButton.height + 23;
    Clamp(clientHeight, frameHeight, kMessageMinClientHeight, kMessageMaxClientHeight);

    out.client = {clientWidth, clientHeight};
    PlaceBands(skin, out);
    const int bandWidth = out.topBand.width;

    out.titleMark.left = Div(bandWidth) - Div(in.titleMark.width + in.titleTextWidth + 10);
    out.titleMark.top = 1;
    out.titleText = {out.titleMark.left + in.titleMark.width + 10, skin.titleTextTop};

    out.frame = {skin.leftEdgeLeft + skin.leftEdgeWidth + 15, 16, frameWidth, frameHeight};

    LayoutRect& panel = out.buttonPanel;
    panel.width = skin.okButton.width + skin.cancelButton.width + 12;
    panel.height = skin.okButton.height + 2;
    panel.left = Div(bandWidth) - Div(panel.width);
    panel.top = skin.topBandHeight + out.frame.top + out.frame.height + 12;

    out.okButton.top = 1;
    if (in.cancelVisible) {
        out.okButton.left = 1;
        out.cancelButton = LayoutPoint{out.okButton.left + skin.okButton.width + 10, 1};
    } else {
        out.okButton.left = Div(panel.width) - Div(skin.okButton.width);
    }

    out.icon = {out.frame.left + 7, out.frame.top + 7};
    out.mainText = {out.icon.left + in.icon.width + 7, out.icon.top};
    out.subText = {out.mainText.left, out.mainText.top + in.mainText.height + 15};

    if (in.subTextEmpty && in.mainText.height < 26) {
        out.icon.top = out.frame.top + (Div(out.frame.height) - Div(in.icon.height));
        out.mainText.top = out.frame.top + (Div(out.frame.height) - Div(in.mainText.height));
    }
    return out;
}
