// Where the program's files are, and how copies on one settings file are told apart.
#include <gtest/gtest.h>

#include <string>

#include "app/app_paths.h"

TEST(AppPaths, TheSettingsFileLiesInTheStartFolderAndFitsTheFileCalls)
{
    // A start folder whose settings file, with the temporary name a save gives it, just fits 259 characters.
    const std::string deep = "C:\\" + std::string(217, 'f');
    const struct {
        std::string current, folder, settings;
        bool fits;
    } rows[] = {{"C:\\Users\\Ann\\Alarms", "C:\\Users\\Ann\\Alarms", "C:\\Users\\Ann\\Alarms\\TIVRA.INI", true},
                {"D:\\", "D:\\", "D:\\TIVRA.INI", true},  // a drive root keeps its backslash, not doubled
                {"\\\\server\\share\\x\\", "\\\\server\\share\\x", "\\\\server\\share\\x\\TIVRA.INI", true},
                {deep + "\\", deep, deep + "\\TIVRA.INI", true},
                {deep + "g", deep + "g", deep + "g\\TIVRA.INI", false},
                {"", "", "\\TIVRA.INI", false}};  // no current folder
    for (const auto& row : rows) {
        const AppPaths paths = app_paths::fromCurrentDirectory(row.current);
        EXPECT_EQ(paths.startFolder, row.folder);
        EXPECT_EQ(paths.settingsFile, row.settings);
        EXPECT_EQ(app_paths::fitsFileCalls(paths), row.fits) << row.current;
    }
}

TEST(AppPaths, InstanceNameIgnoresCaseAndSlashesButNotTheFile)
{
    const std::string name = app_paths::instanceName("C:\\Alarms\\TIVRA.INI");
    EXPECT_EQ(name, app_paths::instanceName("c:/alarms/tivra.ini"));
    EXPECT_NE(name, app_paths::instanceName("C:\\Alarms2\\TIVRA.INI"));
    EXPECT_EQ(name.find('\\'), std::string::npos) << "it names a kernel object";
}
