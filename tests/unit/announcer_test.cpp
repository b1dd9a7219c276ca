// Saying the time and copying theme.ini where the shipped themes (voice_theme_files_test
// speaks every minute of both) do not reach: reading order, missing pieces, odd lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scheduler_rig.h"

namespace {

constexpr Timestamp MIDNIGHT = 889916400;  // 1998-03-15 00:00:00 in the test zone (UTC+1)
using Strings = std::vector<std::string>;

std::vector<unsigned char> bytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

class AnnouncerTest : public SchedulerRig {
protected:
    // The pieces played, each wave file holding its own name.
    Strings announce()
    {
        platform.calls.clear();
        announcer.announceTime();
        Strings pieces;
        for (const auto& call : platform.calls)
            if (call.rfind("playSoundMemory ", 0) == 0)
                pieces.push_back(call.substr(16));
        return pieces;
    }
    Announcer& announcer = engine.announcer();
};

}  // namespace

TEST_F(AnnouncerTest, PiecesComeFromTheStartFolderAllReadBeforeTheFirstPlays)
{
    // No words stored: the current theme's defaults are written, nothing is heard.
    state.currentTheme = "Default";
    platform.clock = MIDNIGHT + 21 * 3600 + 35 * 60;  // before the first tick: the current time
    EXPECT_TRUE(announce().empty());
    EXPECT_EQ(platform.settingFileWrites, 1);
    for (const std::string piece : {"21h", "hour", "30m", "5", "minute", "4", "7"})
        platform.files["C:\\Alarms\\speak\\Default\\" + piece + ".wav"] = bytesOf(piece + ".wav");
    platform.folder = "D:\\Elsewhere";
    EXPECT_EQ(announce(), (Strings{"21h.wav", "hour.wav", "30m.wav", "5.wav", "minute.wav"}));
    // All five are read before the first plays, so that they follow each other without gaps.
    EXPECT_EQ(platform.calls.end()[-6], "readWholeFile C:\\Alarms\\speak\\Default\\minute.wav");
    // A piece that cannot be read is left out; a missing entry writes the
    // defaults again (of the current theme) and nothing is heard.
    state.tickTime = MIDNIGHT + 4 * 3600 + 7 * 60;
    platform.files.erase("C:\\Alarms\\speak\\Default\\hour.wav");
    EXPECT_EQ(announce(), (Strings{"4.wav", "7.wav", "minute.wav"}));
    state.currentTheme = "Other";
    platform.putSetting("Speak", "Minute", "");
    EXPECT_TRUE(announce().empty());
    EXPECT_EQ(platform.settingFileWrites, 2);
    EXPECT_EQ(platform.readSetting("Speak", "Minute"), ".\\speak\\Other\\minute.wav");
}

// Keys are cut at 19 characters, lines at 254. Lines that give no entry, or that the settings file cannot
// hold, are skipped rather than refusing the whole theme; a theme.ini saved as UTF-16 is read as text; a
// missing file, or one with nothing to copy, is reported and leaves Speak alone.
TEST_F(AnnouncerTest, ThemeFileIsCopiedLineByLine)
{
    platform.putSetting("Speak", "Keep", "old");
    platform.putSetting("Speak", "Hour", "old");
    const std::string text = "[Speak]\r\n; a comment\r\n\r\n  Hour = .\\speak\\T\\h.wav  \r\nno equals\r\n;c=x\r\n"
                             "[k=y\r\nMinute=.\\speak\\T\\m.wav\n3 = 0, .\\speak\\T\\3.wav\r=no key\nNoValue =   \n" +
        std::string(25, 'k') + "=cut key\nLong=" + std::string(300, 'v') + "\nLast=tail";
    std::string unicode = "\xFF\xFE";
    for (const char c : text)
        unicode += {c, '\0'};
    const std::string path = "C:\\Alarms\\speak\\T\\theme.ini";
    platform.files[path] = bytesOf(unicode);
    announcer.loadThemeFile("T");
    EXPECT_EQ(platform.settingsText(),
              "[Speak]\r\nKeep=old\r\nHour=.\\speak\\T\\h.wav  \r\nMinute=.\\speak\\T\\m.wav\r\n"
              "3=0, .\\speak\\T\\3.wav\r\n" +
                  std::string(19, 'k') + "=cut key\r\nLong=" + std::string(249, 'v') + "\r\nLast=tail\r\n");
    platform.files[path] = bytesOf(";c=x\r\n" + std::string("[k=y\r\n\0=z", 9));
    announcer.loadThemeFile("T");
    announcer.loadThemeFile("Gone");
    EXPECT_EQ(platform.messages,
              (Strings{Announcer::NOTHING_USABLE + path,
                       Announcer::OPEN_FAILED + std::string("C:\\Alarms\\speak\\Gone\\theme.ini")}));
    EXPECT_EQ(platform.settingFileWrites, 1);
}
