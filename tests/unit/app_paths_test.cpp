// Where the program's files are, and how copies on one settings file are told apart.
#include <gtest/gtest.h>

#include "app/app_paths.h"

namespace {

TEST(AppPaths, TheSettingsFileLiesInTheStartFolder)
{
    const struct {
        const char* current;
        const char* folder;
        const char* settings;
    } rows[] = {
        {"C:\\Users\\Ann\\Alarms", "C:\\Users\\Ann\\Alarms", "C:\\Users\\Ann\\Alarms\\TIVRA.INI"},
        {"D:\\", "D:\\", "D:\\TIVRA.INI"},  // a drive root keeps its backslash, not doubled
        {"\\\\server\\share\\x\\", "\\\\server\\share\\x", "\\\\server\\share\\x\\TIVRA.INI"},
    };
    for (const auto& row : rows) {
        const AppPaths paths = app_paths::fromCurrentDirectory(row.current);
        EXPECT_EQ(paths.startFolder, row.folder);
        EXPECT_EQ(paths.settingsFile, row.settings);
    }
}

TEST(AppPaths, InstanceNameIgnoresCaseAndSlashesButNotTheFile)
{
    const std::string name = app_paths::instanceName("C:\\Alarms\\TIVRA.INI");
    EXPECT_EQ(name, app_paths::instanceName("c:/alarms/tivra.ini"));
    EXPECT_NE(name, app_paths::instanceName("C:\\Alarms2\\TIVRA.INI"));
    EXPECT_EQ(name.find('\\'), std::string::npos) << "it names a kernel object";
}

}  // namespace
