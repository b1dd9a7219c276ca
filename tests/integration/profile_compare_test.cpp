// The settings engine against the system's own profile functions: every row
// of one table runs through GetPrivateProfileStringA/WritePrivateProfileStringA
// and through ProfileFile, and both must give the row's reads and file bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "temp_folder.h"

namespace {

// Where Wine's profile functions are known to behave otherwise than Windows'
// own. The engine follows Windows; on Wine such a row checks that Wine still
// differs, so that a stale mark shows.
const char* const WINE_LAST_BRACKET = "Wine ends a section name at the last ']', Windows at the first";
const char* const WINE_TRIMS_WRITTEN_VALUES =
    "Wine drops the blanks at the start of a value it writes; Windows writes values exactly as given";
const char* const WINE_READS_BEFORE_FIRST_SECTION =
    "Wine reads the lines before the first section as a section with an empty name";
const char* const WINE_REWRITES_WHOLE_FILE =
    "Wine writes the whole file anew: untouched lines lose blanks around names and '=', blank lines, text after ']' "
    "and their own line ends, and the last line gets a line break";

enum class Call { Read, Write, Delete };

struct Step {
    Call call;
    std::string section, key;
    std::string text;  // the value to write, or the text a read must give
};

Step read(std::string section, std::string key, std::string expected) { return {Call::Read, section, key, expected}; }
Step write(std::string section, std::string key, std::string value) { return {Call::Write, section, key, value}; }
Step remove(std::string section, std::string key) { return {Call::Delete, section, key, ""}; }

// A row's file at the start and at the end: its bytes, or one of these marks.
const std::string NO_FILE = "<no file>", SAME = "<as at the start>";

struct Row {
    std::string name, initial;
    std::vector<Step> steps;
    std::string expected;
    const char* wineDiffers = nullptr;
};

std::vector<Row> rows()
{
    const std::string quotes =
        "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\nq6= \" inner \" \r\nq7=\"a\"b\"\r\n";
    const std::string blanks = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n";
    const std::string longValues = "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
                                   "\r\nover=" + std::string(4096, 'z') + "\r\n";
    return {
        {"BlanksAroundNamesAndValues", blanks, {read("Options", "key one", "value 1"),
         read(" options ", "KEY ONE", "value 1"), read("OPTIONS", "tab", "x"), read("Options", "key", "")}, SAME},
        {"OuterQuotes", quotes, {read("S", "q1", "quoted"), read("S", "q2", "single"), read("S", "q3", "\"mixed'"),
         read("S", "q4", "\"open"), read("S", "q5", ""), read("S", "q6", " inner "), read("S", "q7", "a\"b")}, SAME},
        {"CommentsAndLinesWithoutEquals", "[S]\r\n;c=comment\r\nnoeq\r\na=1\r\n", {read("S", "c", ""),
         read("S", "noeq", ""), read("S", "a", "1"), write("S", "b", "2")}, "[S]\r\n;c=comment\r\nnoeq\r\na=1\r\nb=2\r\n"},
        {"NewKeyAfterTrailingComment", "[S]\r\na=1\r\n;trailing\r\n[T]\r\nc=3\r\n", {write("S", "b", "2")},
         "[S]\r\na=1\r\n;trailing\r\nb=2\r\n[T]\r\nc=3\r\n"},
        {"FirstOfDuplicateSections", "[S]\r\nk=1\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n", {read("S", "k", "1"),
         read("S", "j", ""), read("T", "k", "3"), write("S", "j", "6"), read("s", "j", "6")},
         "[S]\r\nk=1\r\nj=6\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n"},
        {"FirstOfDuplicateKeys", "[S]\r\nk=1\r\nk=2\r\n", {read("S", "k", "1"), write("S", "k", "9"), read("S", "k", "9")},
         "[S]\r\nk=9\r\nk=2\r\n"},
        {"NamesWithoutCase", "[sEc]\r\nKey=1\r\n", {read("SEC", "key", "1"), write("Sec", "KEY", "2")}, "[sEc]\r\nKey=2\r\n"},
        {"CrLineEnds", "[S]\ra=1\r[T]\rb=2\r", {read("S", "a", "1"), read("T", "b", "2")}, SAME},
        {"LfLineEnds", "[S]\na=1\n\n[T]\nb=2\n", {read("S", "a", "1"), read("T", "b", "2")}, SAME},
        {"MixedLineEnds", "[S]\r\na=1\rb=2\nc=3\n\rd=4",
         {read("S", "a", "1"), read("S", "b", "2"), read("S", "c", "3"), read("S", "d", "4")}, SAME},
        {"CrFileWritten", "[S]\ra=1\r[T]\rb=2\r", {write("S", "a", "9")}, "[S]\ra=9\r[T]\rb=2\r", WINE_REWRITES_WHOLE_FILE},
        {"LfFileGetsNewKey", "[S]\na=1\n\n[T]\nb=2\n", {write("S", "c", "3")}, "[S]\na=1\nc=3\r\n\n[T]\nb=2\n",
         WINE_REWRITES_WHOLE_FILE},
        {"MissingFile", NO_FILE, {read("S", "a", ""), write("S", "a", "1"), write("S", "b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
        {"DeleteInMissingFile", NO_FILE, {remove("S", "a"), read("S", "a", "")}, NO_FILE},
        {"EmptyFile", "", {write("S", "a", "1")}, "[S]\r\na=1\r\n"},
        {"MissingSection", "[S]\r\na=1\r\n", {write("T", "b", "2"), write("U", "c", "3")},
         "[S]\r\na=1\r\n[T]\r\nb=2\r\n[U]\r\nc=3\r\n"},
        {"NoFinalLineBreakNewKey", "[S]\r\na=1", {write("S", "b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
        {"NoFinalLineBreakNewSection", "[S]\r\na=1", {write("T", "b", "2")}, "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"NoFinalLineBreakKept", "[S]\r\na=1\r\n[T]\r\nb=2", {write("S", "a", "9")}, "[S]\r\na=9\r\n[T]\r\nb=2",
         WINE_REWRITES_WHOLE_FILE},
        {"NewKeyAfterLastEntry", "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n", {write("S", "d", "4")},
         "[S]\r\na=1\r\nb=2\r\nd=4\r\n[T]\r\nc=3\r\n"},
        {"NewKeyBeforeBlankLines", "[S]\r\na=1\r\n\r\n[T]\r\nc=3\r\n", {write("S", "d", "4")},
         "[S]\r\na=1\r\nd=4\r\n\r\n[T]\r\nc=3\r\n", WINE_REWRITES_WHOLE_FILE},
        {"DeleteKeys", "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n", {remove("S", "a"), read("S", "a", ""), read("S", "b", "2"),
         remove("S", "b"), remove("T", "missing"), read("S", "b", "")}, "[S]\r\n[T]\r\nc=3\r\n"},
        {"DeleteKeyWithBlanksAndOtherCase", "[S]\r\n  a = 1\r\nb=2\r\n", {remove("s", "A")}, "[S]\r\nb=2\r\n"},
        {"ValuesWithEquals", "[S]\r\nk=v=w\r\n", {read("S", "k", "v=w"), write("S", "j", "x=y"), read("S", "j", "x=y")},
         "[S]\r\nk=v=w\r\nj=x=y\r\n"},
        {"CutAt4095Characters", longValues, {read("S", "long", std::string(4095, 'x')),
         read("S", "exact", std::string(4095, 'y')), read("S", "over", std::string(4095, 'z'))}, SAME},
        {"ChangedLineLosesItsBlanks", "[S]\r\n  a  =  1  \r\nb=2\r\n", {write("S", "a", "x")}, "[S]\r\na=x\r\nb=2\r\n"},
        {"SameValueWritesNothing", "[S]\r\n a = 1 \r\n\r\n", {write("S", "a", "1")}, SAME},
        {"UntouchedLinesKeepTheirBytes", "; top\r\n\r\n[S]  ; note\r\n  a  =  1  \r\n\r\n[T]\r\nz=9\r\n",
         {read("S", "a", "1"), write("T", "z", "8")}, "; top\r\n\r\n[S]  ; note\r\n  a  =  1  \r\n\r\n[T]\r\nz=8\r\n",
         WINE_REWRITES_WHOLE_FILE},
        {"SectionNameEndsAtFirstBracket", "[A]x]\r\nk=1\r\n", {read("A", "k", "1"), write("A", "k", "2")},
         "[A]x]\r\nk=2\r\n", WINE_LAST_BRACKET},
        {"UnclosedBracketIsNoSection", "[D]\r\nk=4\r\n[E\r\nj=5\r\n",
         {read("D", "j", "5"), read("E", "j", ""), write("D", "n", "1")}, "[D]\r\nk=4\r\n[E\r\nj=5\r\nn=1\r\n"},
        {"TextBeforeFirstSectionUnreachable", "k=0\r\n[S]\r\nk=1\r\n", {read("", "k", ""), read("S", "k", "1")}, SAME,
         WINE_READS_BEFORE_FIRST_SECTION},
        {"TextBeforeFirstSectionKept", "x=0\r\n[S]\r\na=1\r\n", {write("S", "a", "2")}, "x=0\r\n[S]\r\na=2\r\n"},
        {"ValuesWrittenExactly", "[S]\r\n", {write("S", "a", " spaced "), read("S", "a", "spaced")},
         "[S]\r\na= spaced \r\n", WINE_TRIMS_WRITTEN_VALUES},
        {"QuotedAndEmptyValuesWritten", "[S]\r\n", {write("S", "b", "\"quoted\""), read("S", "b", "quoted"),
         write("S", "c", ""), read("S", "c", "")}, "[S]\r\nb=\"quoted\"\r\nc=\r\n"},
        {"BytesOfTheCodePageKept", "[S]\r\na=\xe9t\xe9\r\n", {read("S", "a", "\xe9t\xe9"), write("S", "b", "\xc0\xff")},
         "[S]\r\na=\xe9t\xe9\r\nb=\xc0\xff\r\n"},
    };
}

bool runningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void putFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string fileText(const std::string& path)
{
    std::string bytes;
    return Win32FileSystem().readFile(path, bytes) == FileReadStatus::Missing ? NO_FILE : bytes;
}

std::string systemRead(const std::string& section, const std::string& key, const std::string& path)
{
    char buffer[4096];
    return std::string(buffer, GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                                                        path.c_str()));
}

enum class Side { Engine, System };

// One line per call (the text read, or "ok"/"failed" for a write) and one for the file.
std::vector<std::string> outcome(const Row& row, const std::string& path, Side side)
{
    Win32FileSystem files;
    ProfileFile profile(files, path);
    std::vector<std::string> out;
    for (const Step& step : row.steps) {
        const std::optional<std::string> value = step.call == Call::Write ? std::optional(step.text) : std::nullopt;
        if (step.call == Call::Read) {
            out.push_back(side == Side::System ? systemRead(step.section, step.key, path)
                                               : profile.read(step.section, step.key));
        } else if (side == Side::System) {
            out.push_back(WritePrivateProfileStringA(step.section.c_str(), step.key.c_str(),
                                                     value ? value->c_str() : nullptr, path.c_str()) ? "ok" : "failed");
        } else {
            out.push_back(profile.write(step.section, step.key, value) ? "ok" : "failed");
        }
    }
    out.push_back(fileText(path));
    return out;
}

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class ProfileCompare : public ::testing::TestWithParam<Row> {};

// A fresh folder for each test of the Windows file operations.
class ProfileWin32FileSystem : public ::testing::Test {
protected:
    std::string path() const { return m_folder.file("TIVRA.INI"); }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(m_folder.file("*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
            if (found.cFileName[0] != '.') result.push_back(found.cFileName);
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        std::sort(result.begin(), result.end());
        return result;
    }

    TempFolder m_folder;
    Win32FileSystem m_files;
};

}  // namespace

TEST_P(ProfileCompare, EngineAndSystemGiveTheRowsResults)
{
    const Row& row = GetParam();
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const std::string systemPath = folder.folder("system") + "\\TIVRA.INI";
    const std::string enginePath = folder.folder("engine") + "\\TIVRA.INI";
    if (row.initial != NO_FILE) {
        putFile(systemPath, row.initial);
        putFile(enginePath, row.initial);
    }
    std::vector<std::string> expected;
    for (const Step& step : row.steps) expected.push_back(step.call == Call::Read ? step.text : "ok");
    expected.push_back(row.expected == SAME ? row.initial : row.expected);
    EXPECT_EQ(outcome(row, enginePath, Side::Engine), expected);
    const std::vector<std::string> system = outcome(row, systemPath, Side::System);
    if (row.wineDiffers != nullptr && runningOnWine()) {
        EXPECT_NE(system, expected) << "Wine no longer differs from Windows here: " << row.wineDiffers;
    } else {
        EXPECT_EQ(system, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(ProfileTable, ProfileCompare, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

TEST_F(ProfileWin32FileSystem, ReplacementPutsTheNewBytesInPlaceAndChangesTheStamp)
{
    ASSERT_TRUE(m_folder.valid());
    std::string bytes;
    EXPECT_EQ(m_files.readFile(path(), bytes), FileReadStatus::Missing);
    EXPECT_EQ(m_files.stamp(path()).state, FileStamp::State::Missing);
    EXPECT_TRUE(m_files.replaceFile(path(), "first"));
    EXPECT_TRUE(m_files.replaceFile(path(), "[S]\r\na=1\r\n"));
    EXPECT_EQ(fileText(path()), "[S]\r\na=1\r\n");
    const FileStamp before = m_files.stamp(path());
    EXPECT_EQ(before.state, FileStamp::State::Present);
    EXPECT_EQ(before.size, 10u);
    ASSERT_TRUE(m_files.replaceFile(path(), "[S]\r\na=22\r\n"));
    EXPECT_FALSE(m_files.stamp(path()).sameAs(before));
    EXPECT_FALSE(m_files.replaceFile(m_folder.file("missing\\TIVRA.INI"), "new"));
    EXPECT_EQ(names(), std::vector<std::string>{"TIVRA.INI"});
}

// A program that shares the file with nobody holds it while the settings are
// first read: the replacement fails, and the file is never written over.
TEST_F(ProfileWin32FileSystem, FileHeldAtStartIsReportedAndLeftIntact)
{
    ASSERT_TRUE(m_folder.valid());
    const std::string alarms = "[AlarmList]\r\n0=1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,,,,Break\r\n";
    putFile(path(), alarms);
    ProfileFile profile(m_files, path());
    HANDLE held = CreateFileA(path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string bytes;
    EXPECT_EQ(m_files.readFile(path(), bytes), FileReadStatus::Failed);
    EXPECT_FALSE(m_files.replaceFile(path(), "new"));
    EXPECT_EQ(profile.read("AlarmList", "0"), "");
    CloseHandle(held);
    EXPECT_TRUE(profile.unreadable());
    EXPECT_TRUE(profile.takeUnreadableReport());
    EXPECT_FALSE(profile.writeSection("AlarmList", {{"0", std::string("new")}}));
    EXPECT_EQ(fileText(path()), alarms);
    EXPECT_EQ(names(), std::vector<std::string>{"TIVRA.INI"});
}

TEST_F(ProfileWin32FileSystem, ChangesMadeThroughTheSystemFunctionsAreSeen)
{
    ASSERT_TRUE(m_folder.valid());
    ProfileFile profile(m_files, path());
    ASSERT_TRUE(profile.write("Options", "Theme", std::string("Default")));
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "Theme", "Robot", path().c_str()));
    EXPECT_EQ(profile.read("Options", "Theme"), "Robot");
    ASSERT_TRUE(profile.write("Options", "Flags", std::string("0")));
    EXPECT_EQ(systemRead("Options", "Flags", path()), "0");
    EXPECT_EQ(fileText(path()), "[Options]\r\nTheme=Robot\r\nFlags=0\r\n");
}

TEST_F(ProfileWin32FileSystem, StartUpRemovesTemporariesOfEndedWritersOnly)
{
    ASSERT_TRUE(m_folder.valid());
    const std::vector<std::string> kept = {"OTHER.INI.~qv4000000000-0.tmp", "TIVRA.INI", "TIVRA.INI.~qvx-0.tmp"};
    for (const std::string& name : kept) putFile(m_folder.file(name), "x");
    putFile(m_folder.file("TIVRA.INI.~qv4000000000-0.tmp"), "x");
    putFile(m_folder.file("TIVRA.INI.~qv" + std::to_string(GetCurrentProcessId()) + "-5.tmp"), "x");
    ProfileFile(m_files, path()).removeStaleTemporaries();
    EXPECT_EQ(names(), kept);
}
