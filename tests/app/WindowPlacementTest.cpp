#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase
{
    const char* name;
    int x, y, width, height;
    bool defaults;
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

class ChoosePlacementTest : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(ChoosePlacementTest, KeepsUsablePositionsOnly)
{
    const PlacementCase& c = GetParam();
    Settings s;
    s.XPos = c.x, s.YPos = c.y, s.Width = c.width, s.Height = c.height, s.MinXPos = 5, s.MinYPos = 6;
    EXPECT_EQ(WindowPlacement::ChoosePlacement(s, QSize(1600, 870)), c.defaults);
    if (c.defaults) {
        EXPECT_EQ(std::vector<int>({s.XPos, s.YPos, s.Width, s.Height, s.MinXPos, s.MinYPos}),
                  std::vector<int>({1300, 0, 300, 435, 1450, 20}));
    } else {
        EXPECT_EQ(std::vector<int>({s.XPos, s.YPos, s.Width, s.Height, s.MinXPos, s.MinYPos}),
                  std::vector<int>({c.x, c.y, c.width, c.height, 5, 6}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChoosePlacementTest,
                         testing::Values(PlacementCase{"first start (all zero)", 0, 0, 0, 0, true},
                                         PlacementCase{"stored", 100, 80, 400, 500, false},
                                         PlacementCase{"width 299", 100, 80, 299, 500, true},
                                         PlacementCase{"height 299", 100, 80, 300, 299, true},
                                         PlacementCase{"left of the border but caption visible", -50, -23, 300, 300, false},
                                         PlacementCase{"off to the top left", -4, -24, 300, 300, true},
                                         PlacementCase{"right of the work area", 1600, 0, 300, 300, true},
                                         PlacementCase{"below the work area", 0, 870, 300, 300, true}));

} // namespace
