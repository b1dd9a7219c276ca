// Where the program's files are, and how copies on one settings file are told apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(AppPaths, InstanceNamesFollowTheFilesIdentitiesNotThePathsSpellingNorItsCase)
{
    const AppPaths real = app_paths::fromCurrentDirectory("C:\\Alarms"), subst = app_paths::fromCurrentDirectory("S:\\");
    const std::string file = "path \\\\?\\C:\\Alarms\\TIVRA.INI", folder = "path \\\\?\\C:\\Alarms";
    const auto name = [](const std::string& identity) { return app_paths::instanceName(identity); };
    using Names = std::vector<std::string>;
    // Case and slashes aside, a kernel object's name without backslashes.
    EXPECT_TRUE(name(file) == name("PATH //?/c:/alarms/tivra.ini") && name(file) != name(folder) &&
                name(file).find('\\') == std::string::npos);
    // Two spellings of one folder, with the file and before it exists; the volume and index beside the final path;
    // no identity at all.
    EXPECT_EQ(app_paths::instanceNames(real, {file}, {folder}), Names{name(file)});
    EXPECT_EQ(app_paths::instanceNames(subst, {file}, {folder}), Names{name(file)});
    EXPECT_EQ(app_paths::instanceNames(subst, {}, {folder}), Names{name(file)});
    EXPECT_EQ(app_paths::instanceNames(real, {file, "volume 1 file 7"}, {folder, "volume 1 file 2"}),
              (Names{name(file), name("volume 1 file 7"), name("volume 1 file 2\\TIVRA.INI")}));
    EXPECT_EQ(app_paths::instanceNames(subst, {}, {}), Names{name("S:\\TIVRA.INI")});
}
