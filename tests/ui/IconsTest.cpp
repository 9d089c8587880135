// The program's pictures on high-resolution screens: none is drawn enlarged, hence blurred.
#include "ui/qt/Icons.h"

#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>

using namespace titralab;

namespace {

// The side of the largest picture an icon holds, device pixels.
int largestSide(const QIcon& icon) {
    int side = 0;
    for (const QSize& s : icon.availableSizes())
        side = std::max(side, std::min(s.width(), s.height()));
    return side;
}

TEST(IconsOnHighResolutionScreens, EveryIconHoldsAPictureAsLargeAsTheScreenNeeds) {
    struct Case {
        const char* label;
        QIcon icon;
        int logicalSize; // as the windows show it
    } cases[] = {
        {"tool bar: open", icons::tool(icons::Tool::Open), 16},
        {"tool bar: help", icons::tool(icons::Tool::Help), 16},
        {"print dialog picture", icons::tool(icons::Tool::Print), 32},
        {"step forward", icons::stepForward(), 14},
        {"step back", icons::stepBack(), 14},
        {"acid side", icons::side(BuretteSide::AcidSide), 32},
        {"base side", icons::side(BuretteSide::BaseSide), 32},
    };
    for (const Case& c : cases)
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            EXPECT_GE(largestSide(c.icon), qCeil(c.logicalSize * ratio))
                << c.label << " x" << ratio;
            // What a window of that ratio is given: the full device size, marked with the ratio.
            const QPixmap shown = c.icon.pixmap(QSize(c.logicalSize, c.logicalSize), ratio);
            EXPECT_EQ(shown.width(), qCeil(c.logicalSize * ratio)) << c.label << " x" << ratio;
        }
}

TEST(IconsOnHighResolutionScreens, TheColumnMarkerIsDrawnForTheScreen) {
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap marker = icons::marker(18, ratio);
        EXPECT_EQ(marker.width(), qCeil(18 * ratio)) << ratio;
        EXPECT_EQ(marker.devicePixelRatio(), ratio);
    }
}

} // namespace
