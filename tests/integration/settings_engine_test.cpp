// The settings engine on the Windows file system: files it cannot replace, and its saves killed midway.
#include <gtest/gtest.h>

#include "integration/harness.h"
#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "soak/crash_run.h"

namespace {

// A file too deep for a temporary file beside it, or with a second name, is written in place: the second name
// then reads the same. (What each read and write gives, as the system's own reader would: ProfileDocument's unit
// tests.)
TEST(SettingsEngine, WritesInPlaceWhereNothingCanBeReplaced)
{
    TempFolder folder;
    Win32FileSystem files;
    const std::string engine = folder.file("e.ini");
    writeFileText(engine, "[S]\r\na=1\r\n");
    std::string deep = folder.path();
    while (deep.size() < MAX_PATH - 30)
        CreateDirectoryA((deep += "\\deeper-and-deeper").c_str(), nullptr);
    ASSERT_TRUE(CreateHardLinkA(folder.file("SHARED.INI").c_str(), engine.c_str(), nullptr));
    for (const std::string& path : {deep + "\\TIVRA.INI", engine})
        EXPECT_TRUE(ProfileFile(files, path).write("S", "k", std::string("1"))) << path;
    EXPECT_EQ(readFileText(folder.file("SHARED.INI")), "[S]\r\na=1\r\nk=1\r\n");
}

TEST(SettingsEngine, KilledSavesLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 50, 1);
    EXPECT_TRUE(figures.kills == 50 && !figures.damaged && figures.newLists && !figures.staleAfterStart)
        << figures.firstDamage;
}

}  // namespace
