// The time list opens on no entry for a field without a number, so that leaving it untouched changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ui/date_time_text.h"
#include "ui/time_list.h"

TEST(TimeListTest, AFieldWithoutANumberHoldsNoEntry)
{
    const std::string days = DateTimeText::DAYS_WORD;
    const std::tuple<TimeListMode, std::string, int> rows[] = {
        {TimeListMode::TimeOfDay, "", -1},        {TimeListMode::TimeOfDay, "-:--:--", -1},
        {TimeListMode::TimeOfDay, "  ", -1},      {TimeListMode::TimeOfDay, "0:00:00", 0},
        {TimeListMode::TimeOfDay, "7:15", 29},    {TimeListMode::Days, "", -1},
        {TimeListMode::Days, days, -1},           {TimeListMode::Days, "00 " + days, 0}};
    for (const auto& [mode, field, entry] : rows)
        EXPECT_EQ(time_list::entryOf(mode, field), entry) << field;
}
