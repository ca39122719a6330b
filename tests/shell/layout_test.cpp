#include "shell/layout.h"

#include <gtest/gtest.h>

using namespace pelquin;

namespace {
// "1" for a hidden bar, "0" for a shown one: buttons, address bar, status bar.
BarVisibility tags(const char *buttons, const char *address, const char *status)
{
    const auto hidden = [](const char *flag) { return flag[0] == '1'; };
    return {hidden(buttons), hidden(address), hidden(status)};
}
}  // namespace

TEST(Layout, AllBarsShownPutDropdownsAt1100AndBrowsersAt1500)
{
    const auto p = layout::placeForBars(tags("0", "0", "0"), 12000);
    ASSERT_TRUE(p.addressBox && p.browserTop);
    EXPECT_EQ(p.addressBox->top, 1100);
    EXPECT_EQ(p.addressBox->width, 12000 - 230);
    EXPECT_EQ(*p.browserTop, 1500);
    EXPECT_EQ(layout::fitBrowserHeight(tags("0", "0", "0"), 1500, 9000), 9000 - 2300);
}

TEST(Layout, EachBarCaseHasItsTops)
{
    auto p = layout::placeForBars(tags("1", "0", "0"), 12000);
    EXPECT_EQ(p.addressBox->top, 440);
    EXPECT_EQ(*p.browserTop, 840);
    p = layout::placeForBars(tags("0", "1", "0"), 12000);
    EXPECT_FALSE(p.addressBox.has_value());
    EXPECT_EQ(*p.browserTop, 1185);
    p = layout::placeForBars(tags("1", "1", "1"), 12000);
    EXPECT_EQ(*p.browserTop, 350);
    EXPECT_EQ(layout::fitBrowserHeight(tags("1", "1", "1"), 350, 9000), 9000 - 750);
}

TEST(Layout, ABrowserThatDoesNotFitKeepsItsHeight)
{
    EXPECT_FALSE(layout::fitBrowserHeight(tags("0", "0", "0"), 1500, 2300).has_value());
    EXPECT_TRUE(layout::fitBrowserHeight(tags("0", "0", "0"), 1500, 2301).has_value());
}

TEST(Layout, TheExpertModeCaptionFollowsTheMarkers)
{
    EXPECT_TRUE(tags("1", "1", "1").allHidden());
    EXPECT_FALSE(tags("1", "1", "1").anyShown());
    EXPECT_TRUE(tags("1", "0", "1").anyShown());
    EXPECT_FALSE(tags("1", "0", "1").allHidden());
}

TEST(Layout, BottomBarsFollowTheWindowSize)
{
    const auto s = layout::statusBar(10000, 8000);
    EXPECT_EQ(s.top, 8000 - 745);
    EXPECT_EQ(s.width, 8000);
    EXPECT_DOUBLE_EQ(layout::progressBar(10000, 8000).left, 8400);
    EXPECT_DOUBLE_EQ(layout::padlock(10000, 8000).left, 8100);
    EXPECT_EQ(layout::selectedBrowserWidth(10000), 9775);
}
