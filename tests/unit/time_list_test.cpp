// The time pop-up's list: quarter hours or day counts, what an entry hands back, and the entry it opens on, none
// for a field without a number, so that leaving it untouched changes nothing (time_list).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/editor_texts.h"
#include "ui/time_list.h"

TEST(TimeListTest, HoldsQuarterHoursOrDayCountsAndOpensOnTheFieldsValue)
{
    const std::vector<std::string> times = time_list::entries(TimeListMode::TimeOfDay);
    const std::vector<std::string> days = time_list::entries(TimeListMode::Days);
    ASSERT_TRUE(times.size() == 96 && days.size() == 16);
    EXPECT_EQ(times[0] + " " + times[1] + " " + times[4] + " " + times[95], "0:0 0:15 1:0 23:45");
    EXPECT_EQ(days[0] + days[2] + days[15], "0 " + DAYS + "4 " + DAYS + "30 " + DAYS);
    EXPECT_EQ(time_list::handedBack(TimeListMode::TimeOfDay, times[48]) +
                  time_list::handedBack(TimeListMode::Days, days[2]),
              "12:0:004 " + DAYS);
    // clang-format off
    const std::tuple<TimeListMode, std::string, int> rows[] = {
        {TimeListMode::TimeOfDay, "12:00:00", 48}, {TimeListMode::TimeOfDay, "7:15:30", -1},
        {TimeListMode::TimeOfDay, "7:05:00", -1},  {TimeListMode::TimeOfDay, "7:15", 29},
        {TimeListMode::TimeOfDay, "0:00:00", 0},   {TimeListMode::TimeOfDay, "", -1},
        {TimeListMode::TimeOfDay, "-:--:--", -1},  {TimeListMode::TimeOfDay, "  ", -1},
        {TimeListMode::Days, "04 " + DAYS, 2},     {TimeListMode::Days, "03", -1},
        {TimeListMode::Days, "00 " + DAYS, 0},     {TimeListMode::Days, "30 " + DAYS, 15},
        {TimeListMode::Days, "", -1},              {TimeListMode::Days, DAYS, -1},
        {TimeListMode::TimeOfDay, "7:60:00", -1},  {TimeListMode::TimeOfDay, "24:00:00", -1}};
    // clang-format on
    for (const auto& [mode, field, entry] : rows)
        EXPECT_EQ(time_list::entryOf(mode, field), entry) << field;
}
