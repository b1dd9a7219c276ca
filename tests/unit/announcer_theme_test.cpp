#include <gtest/gtest.h>
#include "scheduler/announcer.h"
#include "support/fake_platform.h"

// A line the settings file cannot hold is skipped, not a reason to refuse the whole theme; a theme.ini saved
// as UTF-16 is read as text; a file with nothing to copy is reported once and leaves Speak alone.
TEST(AnnouncerTheme, LinesTheSettingsCannotHoldAreSkippedAndAnEmptyThemeIsReported)
{
    FakePlatform platform;
    SchedulerState state;
    state.startFolder = "C:\\Alarms";
    Announcer announcer(platform, state);
    const std::string path = "C:\\Alarms\\speak\\T\\theme.ini";
    std::string unicode = "\xFF\xFE";
    for (const char c : std::string("Hour=h.wav\r\n;c=x\r\n[k=y\r\nMinute=m.wav"))
        unicode += {c, '\0'};
    for (const std::string& file : {unicode, ";c=x\r\n" + std::string("[k=y\r\n\0=z", 9)}) {
        platform.files[path].assign(file.begin(), file.end());
        announcer.loadThemeFile("T");
    }
    EXPECT_EQ(platform.settingsText(), "[Speak]\r\nHour=h.wav\r\nMinute=m.wav\r\n");
    EXPECT_EQ(platform.messages, std::vector<std::string>{Announcer::NOTHING_USABLE + path});
}
