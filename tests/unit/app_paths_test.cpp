// Where the program's files are, and how copies on one settings file are told apart.
#include <gtest/gtest.h>

#include "app/app_paths.h"

namespace {

TEST(AppPaths, FilesLieInTheStartFolder)
{
    const AppPaths paths = app_paths::fromCurrentDirectory("C:\\Users\\Ann\\Alarms");
    EXPECT_EQ(paths.startFolder, "C:\\Users\\Ann\\Alarms");
    EXPECT_EQ(paths.settingsFile, "C:\\Users\\Ann\\Alarms\\TIVRA.INI");
}

TEST(AppPaths, DriveRootKeepsItsBackslashWithoutDoublingIt)
{
    const AppPaths paths = app_paths::fromCurrentDirectory("D:\\");
    EXPECT_EQ(paths.startFolder, "D:\\");
    EXPECT_EQ(paths.settingsFile, "D:\\TIVRA.INI");
}

TEST(AppPaths, TrailingBackslashOfAFolderIsDropped)
{
    EXPECT_EQ(app_paths::fromCurrentDirectory("\\\\server\\share\\x\\").startFolder, "\\\\server\\share\\x");
}

TEST(AppPaths, InstanceNameIgnoresCaseAndSlashesButNotTheFile)
{
    const std::string name = app_paths::instanceName("C:\\Alarms\\TIVRA.INI");
    EXPECT_EQ(name, app_paths::instanceName("c:/alarms/tivra.ini"));
    EXPECT_NE(name, app_paths::instanceName("C:\\Alarms2\\TIVRA.INI"));
    EXPECT_EQ(name.find('\\'), std::string::npos) << "it names a kernel object";
}

}  // namespace
