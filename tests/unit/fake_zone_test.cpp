// The test double's time zone: the other tests rely on its summer-time rules.
#include <gtest/gtest.h>

#include <string>

#include "support/fake_zone.h"

namespace {

std::string text(const LocalTime& t)
{
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) + " " +
        std::to_string(t.hour) + ":" + std::to_string(t.minute) + " day " + std::to_string(t.dayOfWeek);
}

TEST(FakeZone, WinterUtcPlusOneSummerUtcPlusTwoAndTheRangeEndsIn2038)
{
    // Local fields, their instant, and the fields the instant reads back as.
    const struct {
        const char* name;
        LocalTime local;
        Timestamp instant;
        const char* shown;
    } rows[] = {{"winter", {1998, 1, 5, 7, 5}, 883980300, "1998-1-5 7:5 day 1"},
                {"summer", {1998, 7, 5, 7, 5}, 899615100, "1998-7-5 7:5 day 0"},
                {"spring gap: an hour later", {2026, 3, 29, 2, 30}, 1774747800, "2026-3-29 3:30 day 0"},
                {"autumn overlap: the first", {2026, 10, 25, 2, 30}, 1792888200, "2026-10-25 2:30 day 0"},
                {"fields carry over", {1998, 2, 31, 12}, 888922800, "1998-3-3 12:0 day 2"},
                {"before 1970", {1969, 12, 31, 12}, INVALID_TIME, ""},
                {"after 2038", {2050, 1, 1}, INVALID_TIME, ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(fake_zone::fromLocal(row.local), row.instant) << row.name;
        LocalTime back;
        EXPECT_EQ(fake_zone::toLocal(row.instant, back) ? text(back) : "", row.shown) << row.name;
    }
    LocalTime again;
    EXPECT_TRUE(fake_zone::toLocal(1792888200 + 3600, again) && text(again) == "2026-10-25 2:30 day 0");
}

}  // namespace
