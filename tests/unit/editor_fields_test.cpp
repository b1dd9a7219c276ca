// The editor's date and time fields read back: a date or time without its numbers gives no instant.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/fake_platform.h"
#include "ui/editor_fields.h"

TEST(EditorFieldsTest, ADateOrTimeWithoutItsNumbersGivesNoInstant)
{
    FakePlatform platform;
    EditorFields fields(platform);
    const Timestamp morning = platform.fromLocal(LocalTime{2026, 12, 10, 7, 30, 0});
    const std::tuple<const char*, const char*, Timestamp> rows[] = {
        {"10.12.26", "7:30:00", morning},     {"Thu 10.12.26", "7:30", morning}, {"x 10.12.26", "7.30.00", morning},
        {"", "7:30:00", INVALID_TIME},        {"10.12.26", "", INVALID_TIME},    {"10.12.26", " -:--:-- ", INVALID_TIME},
        {"Thu", "7:30:00", INVALID_TIME},     {"10.12", "7:30:00", INVALID_TIME}, {"--- --.--.--", "7:30:00", INVALID_TIME},
        {"10.12.26", "seven", INVALID_TIME}};
    for (const auto& [date, time, expected] : rows)
        EXPECT_EQ(fields.read(EditorFields::Texts{date, time, "00", "0:00:00", "0:00:00"}).time, expected)
            << date << " / " << time;
}
