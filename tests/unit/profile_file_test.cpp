#include "platform/profile/profile_file.h"

#include <gtest/gtest.h>

#include <map>

#ifndef _WIN32
#include <cstdlib>

#include <filesystem>

#include "platform/posix/posix_file_system.h"
#endif

namespace {

const std::string PATH = "C:\\Quorvel\\TIVRA.INI";

// Files in memory; every change, by put() or a replacement, gives the files a new stamp.
class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    bool failReads = false, failReplaces = false;
    int reads = 0, replacements = 0, changes = 0;

    void put(const std::string& path, const std::string& bytes)
    {
        files[path] = bytes;
        ++changes;
    }
    FileReadStatus readFile(const std::string& path, std::string& bytes) override
    {
        ++reads;
        bytes = files.count(path) && !failReads ? files[path] : std::string();
        return failReads ? FileReadStatus::Failed : files.count(path) ? FileReadStatus::Ok : FileReadStatus::Missing;
    }
    FileStamp stamp(const std::string& path) override
    {
        return files.count(path) ? FileStamp{FileStamp::State::Present, files[path].size(), changes}
                                 : FileStamp{FileStamp::State::Missing};
    }
    bool replaceFile(const std::string& path, const std::string& bytes) override
    {
        ++replacements;
        if (!failReplaces)
            put(path, bytes);
        return !failReplaces;
    }
    void removeStaleTemporaries(const std::string&) override {}
};

}  // namespace

TEST(ProfileFile, ReadsTheFileOnceAndWritesOnlyChangesOneWritePerSection)
{
    MemoryFileSystem files;
    ProfileFile profile(files, PATH);
    EXPECT_TRUE(profile.read("Options", "Column").empty() && profile.write("Options", "Theme", std::nullopt) &&
                profile.writeSection("AlarmList", {{"0", std::nullopt}, {"1", std::nullopt}}) &&
                files.replacements == 0);
    EXPECT_TRUE(profile.write("Options", "Column", std::string("130,124")));
    EXPECT_TRUE(profile.writeSection("Options", {{"Column", std::nullopt}, {"Column", std::string("130,124")}}));
    EXPECT_TRUE(profile.writeSection("AlarmList", {{"0", std::string("a")}, {"1", std::string("b")}}));
    EXPECT_FALSE(profile.write("Options", "Theme", std::string("a\r\nb=1")));  // refused, and nothing written
    EXPECT_EQ(profile.read("alarmlist", "1") + std::to_string(files.replacements) + std::to_string(files.reads), "b21");
    EXPECT_EQ(files.files[PATH], "[Options]\r\nColumn=130,124\r\n[AlarmList]\r\n0=a\r\n1=b\r\n");
    // A hand edit is seen at the next call, and kept.
    files.put(PATH, "[Options]\r\nTheme=Robot\r\n");
    EXPECT_TRUE(profile.write("Options", "Position", std::string("10,20")));
    EXPECT_EQ(files.files[PATH], "[Options]\r\nTheme=Robot\r\nPosition=10,20\r\n");
    EXPECT_TRUE(files.reads == 2 && !profile.unreadable() && !profile.takeUnreadableReport());
}

// Unreadable when first needed: reported once, never replaced by what the empty reads built. Held later:
// writes fail without a trace, a change made meanwhile is reported once, the file is used again once free.
TEST(ProfileFile, UnreadableFileIsReportedOnceAndNeverWrittenOver)
{
    MemoryFileSystem files;
    files.put(PATH, "[Options]\r\nFlags=1\r\n");
    files.failReads = true;
    ProfileFile early(files, PATH);
    EXPECT_EQ(early.read("Options", "Flags"), "");
    EXPECT_TRUE(early.unreadable() && early.unreadableSinceStart() && early.takeUnreadableReport());
    files.failReads = false;
    EXPECT_FALSE(early.writeSection("Options", {{"Flags", std::string("new")}, {"Theme", std::nullopt}}));
    EXPECT_TRUE(early.read("Options", "Flags").empty() && files.replacements == 0 && !early.takeUnreadableReport());
    EXPECT_TRUE(early.readOnce() && early.read("Options", "Flags") == "1");  // the way out: read it once more

    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("Options", "Flags"), "1");
    files.failReplaces = files.failReads = true;
    EXPECT_FALSE(profile.write("Options", "Flags", std::string("5")));
    EXPECT_TRUE(profile.read("Options", "Flags") == "1" && !profile.unreadable() && profile.readOnce());
    files.put(PATH, "[Options]\r\nFlags=0\r\n");
    files.failReplaces = false;
    EXPECT_EQ(profile.read("Options", "Flags"), "");
    EXPECT_FALSE(profile.write("Options", "Position", std::string("6,6")));
    EXPECT_TRUE(profile.unreadable() && !profile.unreadableSinceStart() && profile.takeUnreadableReport() &&
                !profile.takeUnreadableReport());
    files.failReads = false;
    EXPECT_TRUE(profile.write("Options", "Position", std::string("8,8")));
    EXPECT_EQ(files.files[PATH], "[Options]\r\nFlags=0\r\nPosition=8,8\r\n");
}

#ifndef _WIN32

// The file system of the native tools: the user's file is replaced with its mode and its links, a folder is
// neither read nor replaced.
TEST(ProfilePosixFileSystem, ReplacesTheUsersFileWithItsModeAndLinks)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-profile-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const std::string path = (folder / "TIVRA.INI").string(), link = (folder / "link").string();
    PosixFileSystem files;
    std::string bytes;
    ASSERT_TRUE(files.replaceFile(path, "a"));
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    std::filesystem::create_symlink(path, link);
    ASSERT_TRUE(files.replaceFile(link, "bc"));
    std::filesystem::create_hard_link(path, folder / "second");
    ASSERT_TRUE(files.replaceFile(path, "def"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
    EXPECT_TRUE(files.readFile((folder / "second").string(), bytes) == FileReadStatus::Ok && bytes == "def" &&
                std::filesystem::is_symlink(link));
    using Entries = std::filesystem::directory_iterator;
    EXPECT_EQ(std::distance(Entries(folder), Entries()), 3);  // no temporary file is left behind
    EXPECT_FALSE(files.replaceFile(folder.string(), "x"));
    EXPECT_EQ(files.readFile(folder.string(), bytes), FileReadStatus::Failed);
    std::filesystem::remove_all(folder);
}

#endif
