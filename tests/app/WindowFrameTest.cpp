#include "app/WindowFrame.h"

#include <gtest/gtest.h>

namespace {

using WindowFrame::HitArea;

struct HitCase
{
    int x, y;
    HitArea area;
};

void PrintTo(const HitCase& c, std::ostream* os)
{
    *os << c.x << "," << c.y;
}

class HitTestTest : public testing::TestWithParam<HitCase>
{
};

// A window at (100, 50) of 300 x 400: right = 400, bottom = 450.
TEST_P(HitTestTest, TheFirstRuleThatHoldsDecides)
{
    EXPECT_EQ(WindowFrame::HitTest(QPoint(GetParam().x, GetParam().y), 100, 50, 400, 450), GetParam().area);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitTestTest,
    testing::Values(HitCase{102, 200, HitArea::Left}, HitCase{103, 443, HitArea::Left},
                    HitCase{397, 200, HitArea::Right}, HitCase{250, 52, HitArea::Top},
                    HitCase{250, 447, HitArea::Bottom},
                    // the edges' lower bounds are absolute (3 < y), so near the top corners the side edges win
                    HitCase{101, 51, HitArea::Left}, HitCase{399, 51, HitArea::Right},
                    HitCase{105, 55, HitArea::TopLeft}, HitCase{395, 55, HitArea::TopRight},
                    // the bottom edge reaches into the bottom-left corner, for the same reason
                    HitCase{101, 447, HitArea::Bottom}, HitCase{105, 446, HitArea::BottomLeft},
                    HitCase{399, 449, HitArea::BottomRight}, HitCase{250, 60, HitArea::Caption},
                    HitCase{120, 73, HitArea::Caption}, HitCase{250, 74, HitArea::Client},
                    HitCase{250, 300, HitArea::Client}));

TEST(LayoutCaptionTest, PlacesTheButtonsAndTheBrowser)
{
    auto layout = WindowFrame::LayoutCaption(QSize(300, 400), QSize(18, 18), QSize(20, 18));
    EXPECT_EQ(layout.menuButton, QRect(3, 3, 18, 18));
    EXPECT_EQ(layout.diskButton, QRect(27, 3, 18, 18));
    EXPECT_EQ(layout.ssoButton, QRect(51, 3, 20, 18));
    EXPECT_EQ(layout.miniButton, QRect(279, 3, 18, 18));
    EXPECT_EQ(layout.browserHost, QRect(3, 24, 294, 373));
}

} // namespace
