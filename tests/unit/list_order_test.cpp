// The order of the alarm list: bit 0 of the Options key Flags, read with the window's keys and flipped by a click on
// a list header (ListOrder).
#include <gtest/gtest.h>

#include <utility>

#include "support/fake_platform.h"
#include "ui/list_order.h"

TEST(ListOrderTest, FlagsGiveTheOrderAndAHeaderClickFlipsOnlyBitZeroAndWritesIt)
{
    for (const auto& [text, flags] : {std::pair<const char*, int>{"", 1}, {"x", 1}, {" 3 ", 3}, {"0", 0}, {"-2", -2}})
        EXPECT_EQ(ListOrder::parseFlags(text, 1), flags) << text;
    FakePlatform platform;
    ListOrder order(platform);
    EXPECT_EQ(order.direction(), SortDirection::LatestFirst) << "before the settings are read";
    platform.putSetting("Options", "Flags", "6");
    order.load();
    EXPECT_EQ(order.direction(), SortDirection::EarliestFirst);
    order.reverse();
    EXPECT_TRUE(order.direction() == SortDirection::LatestFirst && platform.settingFileWrites == 1);
    EXPECT_EQ(platform.readSetting("Options", "Flags"), "7");
    platform.putSetting("Options", "Flags", "x");  // unreadable: the order stays
    order.load();
    EXPECT_EQ(order.direction(), SortDirection::LatestFirst);
}
