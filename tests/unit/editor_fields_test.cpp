// The texts of the editor's fields and what they read back as (EditorFields).
#include <gtest/gtest.h>

#include <tuple>

#include "support/editor_texts.h"
#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

TEST(EditorFieldsTest, RoundTripAndEveryFormShowsTheInvalidInstant)
{
    FakePlatform platform;
    DateTimeText texts{platform};
    EditorFields editor{platform};
    // Repeat interval, close-after, their texts, and the close-after read back (whole days dropped).
    const std::tuple<Duration, Duration, std::string, const char*, Duration> cases[] = {
        {264600, 2700, "03 " + DAYS + "1:30:00", "0:45:00", 2700},
        {5400, 0, "00 " + DAYS + "1:30:00", "0:00:00", 0},
        {45 * 86400, 30 * 3600, "45 " + DAYS + "0:00:00", "6:00:00", 6 * 3600},
        {-(86400 + 5400), -90, "-1 " + DAYS + "-1:-30:00", "0:-1:-30", -90}};
    for (const auto& [repeat, closeAfter, repeatTexts, closeText, closeBack] : cases) {
        const EditorFields::Texts shown = editor.format(EditorFields::Values{MONDAY_MORNING, repeat, closeAfter});
        const EditorFields::Values back = editor.read(shown);
        EXPECT_EQ(shown.date + " " + shown.timeOfDay + " " + shown.dayCount + shown.repeatTime + "|" + shown.closeAfter,
                  "Mon 05.01.98 7:05:00 " + repeatTexts + "|" + closeText);
        EXPECT_TRUE(back.time == MONDAY_MORNING && back.repeatInterval == repeat && back.closeAfter == closeBack)
            << repeat << " " << closeAfter;
    }
    EXPECT_EQ(texts.listRowTime(MONDAY_MORNING) + " " + texts.currentTime(MONDAY_MORNING),
              "1998:01:05 - 07:05:00 07:05:00");
    EXPECT_EQ(texts.dateText(INVALID_TIME) + texts.timeOfDayText(INVALID_TIME), "--- --.--.---:--:--");
    EXPECT_EQ(texts.listRowTime(INVALID_TIME) + texts.currentTime(INVALID_TIME), "----:--:-- - --:--:----:--:--");
    const EditorFields::Values back = editor.read(editor.format(EditorFields::Values{INVALID_TIME, 90, 0}));
    EXPECT_TRUE(back.time == INVALID_TIME && back.repeatInterval == 90);
}
