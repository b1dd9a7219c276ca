// The date and time texts: scanning what was typed, the two-digit years, and fields that carry over (DateTimeText).
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

namespace {

class DateTimeTextTest : public ::testing::Test {
protected:
    Timestamp typed(const std::string& date, const std::string& time)
    {
        return editor.read(EditorFields::Texts{date, time, "00", "0:00:00", "0:00:00"}).time;
    }

    FakePlatform platform;
    EditorFields editor{platform};
};

}  // namespace

TEST_F(DateTimeTextTest, ScansTakeAnySeparatorStopAtTheFirstMisfitAndCarryOver)
{
    // "7 30 15": the separator slots take the 3 and the 1.
    const std::pair<const char*, int> clocks[] = {
        {"7:30:00", 27000}, {"7.30.00", 27000},        {"7 - 30 - 0", 27000}, {"07:30:05", 27005},
        {"7:0:00", 25200},  {"7 30 15", 7 * 3600 + 5}, {"7:xx:00", 7 * 3600}, {"", 0}};
    for (const auto& [typed, seconds] : clocks) {
        const DateTimeText::Clock clock = DateTimeText::readClock(typed);
        EXPECT_EQ(clock.hours * 3600 + clock.minutes * 60 + clock.seconds, seconds) << typed;
    }
    for (const auto& [typed, days] : {std::pair<std::string, int>{"4 " + DAYS, 4}, {"3", 3}, {"3days", 3}, {"days", 0}})
        EXPECT_EQ(DateTimeText::readDayCount(typed), days) << typed;
    const DateTimeText::Date date = DateTimeText::readDate("x 5/1/98");
    EXPECT_TRUE(date.day == 5 && date.month == 1 && date.year == 98);
    const DateTimeText::Date unread = DateTimeText::readDate("05.01.98");  // no leading word: taken as it
    EXPECT_EQ(unread.day + unread.month + unread.year, 0);
    // Typed dates follow the two-digit year rule, and their fields carry over.
    for (const auto& [two, full] : {std::pair{0, 2000}, {69, 2069}, {70, 1970}, {98, 1998}, {-1, 1899}})
        EXPECT_EQ(DateTimeText::fullYear(two), full) << two;
    const std::tuple<const char*, const char*, Timestamp> cases[] = {
        {"Mon 01.01.01", "0:00:00", local(2001, 1, 1, 0)},  {"Mon 31.02.98", "12:00:00", local(1998, 3, 3, 12)},
        {"Mon 05.01.98", "24:00:00", local(1998, 1, 6, 0)}, {"Mon 05.01.98", "7:75:00", local(1998, 1, 5, 8, 15)},
        {"Mon 05.13.98", "0:00:00", local(1999, 1, 5, 0)},  {"Mon 05.00.98", "0:00:00", local(1997, 12, 5, 0)},
        {"Mon 00.03.98", "0:00:00", local(1998, 2, 28, 0)}, {"Mon 05.01.1998", "7:05:00", INVALID_TIME},
        {"Mon 05.01.50", "7:05:00", INVALID_TIME},          {"Mon 05.01.2147483647", "7:05:00", INVALID_TIME},
        {"Mon 05.01.-2147483648", "7:05:00", INVALID_TIME}, {"", "", local(1999, 11, 30, 0)},  // all 0, carried back
    };
    for (const auto& [date, time, expected] : cases)
        EXPECT_EQ(typed(date, time), expected) << date << " " << time;
}
