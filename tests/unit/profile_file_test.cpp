#include "platform/profile/profile_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/posix_file_system.h"
#endif

namespace {

const std::string PATH = "C:\\Quorvel\\TIVRA.INI";
const std::string ALARMS = "[AlarmList]\r\n0=1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,,,,Break\r\n";

// A code page in which the byte 0x80 is U+4E00 and nothing else is known.
class TestCodePage : public CodePage {
public:
    std::string fromUtf16(const std::u16string& text) const override
    {
        std::string out;
        for (const char16_t unit : text)
            out += unit == 0x4E00 ? '\x80' : unit < 0x80 ? static_cast<char>(unit) : '?';
        return out;
    }
    std::u16string toUtf16(const std::string& text) const override
    {
        std::u16string out;
        for (const char c : text)
            out += c == '\x80' ? u'\x4E00' : static_cast<char16_t>(c);
        return out;
    }
};

// Files in memory; every change of a file, by put() or a replacement, changes its stamp.
class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, std::int64_t> versions;
    bool failReads = false, failReplaces = false;
    int reads = 0, replacements = 0;
    std::int64_t changes = 0;
    TestCodePage ownCodePage;

    void put(const std::string& path, const std::string& bytes)
    {
        files[path] = bytes;
        versions[path] = ++changes;
    }
    FileReadStatus readFile(const std::string& path, std::string& bytes) override
    {
        ++reads;
        if (failReads || !files.count(path))
            return failReads ? FileReadStatus::Failed : FileReadStatus::Missing;
        bytes = files[path];
        return FileReadStatus::Ok;
    }
    FileStamp stamp(const std::string& path) override
    {
        if (!files.count(path))
            return FileStamp{FileStamp::State::Missing};
        return FileStamp{FileStamp::State::Present, files[path].size(), versions[path]};
    }
    bool replaceFile(const std::string& path, const std::string& bytes) override
    {
        ++replacements;
        if (!failReplaces)
            put(path, bytes);
        return !failReplaces;
    }
    void removeStaleTemporaries(const std::string&) override {}
    const CodePage& codePage() const override { return ownCodePage; }
};

}  // namespace

TEST(ProfileFile, MissingFileReadsEmptyAndOnlyChangesAreWrittenOneWritePerSection)
{
    MemoryFileSystem files;
    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("Options", "Column"), "");
    EXPECT_TRUE(profile.write("Options", "Theme", std::nullopt));
    EXPECT_TRUE(profile.writeSection("AlarmList", {{"0", std::nullopt}, {"1", std::nullopt}}));
    EXPECT_EQ(files.replacements, 0);
    EXPECT_TRUE(profile.write("Options", "Column", std::string("130,124")));
    EXPECT_TRUE(profile.write("Options", "Column", std::string("130,124")));
    EXPECT_EQ(files.files[PATH], "[Options]\r\nColumn=130,124\r\n");
    std::vector<SettingChange> changes;
    for (int i = 0; i < 1000; ++i)
        changes.push_back({std::to_string(i), "alarm " + std::to_string(i)});
    EXPECT_TRUE(profile.writeSection("AlarmList", changes));
    EXPECT_EQ(files.replacements, 2);
    EXPECT_EQ(ProfileFile(files, PATH).read("alarmlist", "999"), "alarm 999");
    EXPECT_FALSE(profile.unreadable() || profile.takeUnreadableReport());
}

TEST(ProfileFile, ReadsTheFileOnlyWhenItsStampChanged)
{
    MemoryFileSystem files;
    files.put(PATH, "[Options]\r\nTheme=Default\r\n");
    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("Options", "Theme") + profile.read("Options", "Flags"), "Default");
    EXPECT_EQ(files.reads, 1);
    // A hand edit is seen at the next write, and kept; the own write is not read back.
    files.put(PATH, "[Options]\r\nTheme=Robot\r\n; edited\r\n");
    EXPECT_TRUE(profile.write("Options", "Position", std::string("10,20")));
    EXPECT_EQ(profile.read("Options", "Position"), "10,20");
    EXPECT_EQ(files.files[PATH], "[Options]\r\nTheme=Robot\r\n; edited\r\nPosition=10,20\r\n");
    EXPECT_EQ(files.reads, 2);
}

// A file saved as UTF-16 is read in the file system's code page and stays UTF-16.
TEST(ProfileFile, UnicodeFileIsReadInTheCodePageOfTheFileSystem)
{
    MemoryFileSystem files;
    files.put(PATH, std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\x4E\xE9\0", 18));
    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("S", "k"), "\x80?");
    EXPECT_TRUE(profile.write("S", "n", std::string("\x80")));
    EXPECT_EQ(files.files[PATH],
              std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\x4E\xE9\0\r\0\n\0n\0=\0\x00\x4E\r\0\n\0", 32));
}

TEST(ProfileFile, UnreadableFileIsReportedOnceAndNeverWrittenOver)
{
    MemoryFileSystem files;
    files.put(PATH, ALARMS);
    files.failReads = true;
    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("AlarmList", "0"), "");
    EXPECT_TRUE(profile.unreadable() && profile.unreadableSinceStart());
    EXPECT_TRUE(profile.takeUnreadableReport());
    EXPECT_FALSE(profile.takeUnreadableReport());
    // Even once the file can be read again, what was built from the empty
    // reads must not replace the alarms it holds.
    files.failReads = false;
    EXPECT_FALSE(profile.writeSection("AlarmList", {{"0", std::string("new")}, {"1", std::nullopt}}));
    EXPECT_EQ(profile.read("AlarmList", "0"), "");
    EXPECT_EQ(files.replacements, 0);
    EXPECT_FALSE(profile.takeUnreadableReport());
}

TEST(ProfileFile, FileHeldByAnotherProgramAfterLoadingIsUsedAgainOnceFree)
{
    MemoryFileSystem files;
    files.put(PATH, "[Options]\r\nFlags=1\r\n");
    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("Options", "Flags"), "1");
    // A scanner holds the file: writing fails and leaves no trace, the file is not re-read for it.
    files.failReplaces = files.failReads = true;
    EXPECT_FALSE(profile.write("Options", "Flags", std::string("5")));
    EXPECT_EQ(profile.read("Options", "Flags"), "1");
    EXPECT_FALSE(profile.unreadable());
    // Changed while it cannot be read: reported once, nothing written until it can be read again.
    files.put(PATH, "[Options]\r\nFlags=0\r\n");
    files.failReplaces = false;
    EXPECT_EQ(profile.read("Options", "Flags"), "");
    EXPECT_TRUE(profile.unreadable() && !profile.unreadableSinceStart());
    EXPECT_FALSE(profile.write("Options", "Position", std::string("6,6")));
    EXPECT_TRUE(profile.takeUnreadableReport());
    EXPECT_FALSE(profile.takeUnreadableReport());
    files.failReads = false;
    EXPECT_FALSE(profile.write("Options", "Theme", std::string("a\r\nFlags=5")));  // refused
    EXPECT_TRUE(profile.write("Options", "Position", std::string("8,8")));
    EXPECT_EQ(files.files[PATH], "[Options]\r\nFlags=0\r\nPosition=8,8\r\n");
}

TEST(ProfileTemporaryFile, NamesAreRecognisedOnlyForTheirOwnFile)
{
    unsigned long processId = 0;
    EXPECT_EQ(temporary_file::nameFor("TIVRA.INI", 1234, 7), "TIVRA.INI.~qv1234-7.tmp");
    EXPECT_TRUE(temporary_file::matches("TIVRA.INI", "TIVRA.INI.~qv1234-7.tmp", processId) && processId == 1234u);
    EXPECT_TRUE(temporary_file::matches("TIVRA.INI", "tivra.ini.~QV99-0.TMP", processId) && processId == 99u);
    for (const char* other : {"OTHER.INI.~qv1-0.tmp", "TIVRA.INI.~qv-0.tmp", "TIVRA.INI.~qv1-.tmp",
                              "TIVRA.INI.~qv1.tmp", "TIVRA.INI.~qv1-2-3.tmp", "TIVRA.INI.~qvx-0.tmp",
                              "TIVRA.INI.~qv1-0.tmp.bak", "TIVRA.INI.~qv99999999999-0.tmp", "TIVRA.INI"}) {
        EXPECT_FALSE(temporary_file::matches("TIVRA.INI", other, processId)) << other;
    }
}

#ifndef _WIN32

namespace {

// A fresh folder for one test, removed with everything in it afterwards.
class ProfilePosixFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-profile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_path = file("TIVRA.INI");
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string file(const std::string& name) const { return (m_folder / name).string(); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            result.push_back(entry.path().filename());
        std::sort(result.begin(), result.end());
        return result;
    }
    static void putFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string fileBytes(const std::string& path)
    {
        std::string bytes;
        m_files.readFile(path, bytes);
        return bytes;
    }

    std::filesystem::path m_folder;
    PosixFileSystem m_files;
    std::string m_path;
};

}  // namespace

TEST_F(ProfilePosixFileSystem, ReplacementKeepsTheModeTheLinksAndTheUsersFile)
{
    ASSERT_TRUE(m_files.replaceFile(m_path, "[S]\r\na=1\r\n"));
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    ASSERT_TRUE(m_files.replaceFile(m_path, "[S]\r\na=2\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Through a symbolic link, and with a second name: the user's file changes, the links stay.
    std::filesystem::create_symlink(m_path, file("link"));
    ASSERT_TRUE(m_files.replaceFile(file("link"), "[S]\r\na=3\r\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(file("link")));
    std::filesystem::create_hard_link(m_path, file("second"));
    ASSERT_TRUE(m_files.replaceFile(m_path, "[S]\r\na=4\r\n"));
    EXPECT_EQ(fileBytes(m_path) + fileBytes(file("second")), "[S]\r\na=4\r\n[S]\r\na=4\r\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"TIVRA.INI", "link", "second"}));
    // A folder where the file should be is never replaced.
    EXPECT_FALSE(m_files.replaceFile(m_folder.string(), "new"));
    EXPECT_FALSE(m_files.replaceFile(file("missing/TIVRA.INI"), "new"));
}

TEST_F(ProfilePosixFileSystem, ReadAndStampTellAMissingFileFromAnUnreadableOne)
{
    std::string bytes;
    EXPECT_EQ(m_files.readFile(m_path, bytes), FileReadStatus::Missing);
    EXPECT_EQ(m_files.stamp(m_path).state, FileStamp::State::Missing);
    putFile(m_path, "[S]\r\n");
    const FileStamp before = m_files.stamp(m_path);
    EXPECT_EQ(before.state, FileStamp::State::Present);
    EXPECT_EQ(m_files.readFile(m_path, bytes), FileReadStatus::Ok);
    EXPECT_EQ(bytes, "[S]\r\n");
    putFile(m_path, "[S]\r\na=1\r\n");
    EXPECT_FALSE(m_files.stamp(m_path).sameAs(before));
    EXPECT_TRUE(m_files.stamp(m_path).sameAs(m_files.stamp(m_path)));
    EXPECT_EQ(m_files.readFile(m_folder.string(), bytes), FileReadStatus::Failed);
}

TEST_F(ProfilePosixFileSystem, StartUpRemovesTemporariesOfEndedWritersOnly)
{
    const std::vector<std::string> kept = {"OTHER.INI.~qv2147483646-0.tmp", "TIVRA.INI", "TIVRA.INI.~qv1-0.tmp",
                                           "TIVRA.INI.~qvx-0.tmp"};
    for (const std::string& name : kept)
        putFile(file(name), "x");
    putFile(file("TIVRA.INI.~qv2147483646-0.tmp"), "x");
    putFile(file("TIVRA.INI.~qv" + std::to_string(::getpid()) + "-3.tmp"), "x");
    ProfileFile(m_files, m_path).removeStaleTemporaries();
    EXPECT_EQ(names(), kept);
}

#endif
