// The settings-file engine: the text of a profile file (ProfileDocument) and
// the file it is read from and written to (ProfileFile).
#include "platform/profile/profile_file.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Outcome = ProfileDocument::ChangeOutcome;
const std::string REFUSED = "<refused>";  // the whole batch, and the file is kept
constexpr std::nullopt_t NONE = std::nullopt;

const auto set = [](const std::string& key, const std::string& value) { return SettingChange{key, value}; };
const auto erase = [](const std::string& key) { return SettingChange{key, NONE}; };

// ISO 8859-1 text as UTF-16 bytes, little- or big-endian; "\x01" stands for U+4E00.
std::string utf16(const std::string& text, bool bigEndian = false)
{
    std::string out;
    for (const char c : text)
        out += c == '\x01' ? (bigEndian ? "\x4E" + std::string(1, '\0') : '\0' + std::string("\x4E"))
                           : (bigEndian ? '\0' + std::string(1, c) : c + std::string(1, '\0'));
    return out;
}

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

TEST(ProfileDocument, ReadsValuesAsTheSystemsReaderDoes)
{
    const std::string blanks = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n\v\x1a[W]\f\r\n\vk\f=\v7\x1a";
    const std::string quotes = "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
                               "q6= \" inner \" \r\nq7=\"a\"b\"\r\nq8=\"\r\nq9=\"\"\"\r\n";
    const std::string lines = "[S]\r\n;c=x\r\n  ; d = y\r\nnoeq\r\nnoeq=shadowed\r\n=nameless\r\nk=v=w\r\n";
    const std::string duplicates = "[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n";
    const std::string brackets = "k=0\r\n[A]x]\r\nk=1\r\n[ B ]\r\nk=2\r\n[C];n\r\nk=3\r\n [D]\r\nk=4\r\n[E\r\nj=5\r\n"
                                 "[x=6\r\n[]\r\nz=7\r\n";
    const std::string ends = "[S]\rk=cr\r[T]\nk=lf\n[U]\r\nk=crlf\r\nj=1\rm=2\n\rn=3";
    const std::string wide = "\xFE\xFF" + utf16("[S]\r\nwide=\x01\xe9\xff\r\n[T]\rz=9\r", true) + "!";
    const std::string longs = "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
        "\r\nquoted=\"" + std::string(5000, 'z') + "\"\r\n" + std::string("nul=ab\0cd\r\n", 11);
    const struct {
        const std::string& file;
        const char *section, *key;
        std::optional<std::string> value;
    } rows[] = {// clang-format off
        {blanks, "Options", "key one", "value 1"}, {blanks, " OPTIONS ", "KEY ONE ", "value 1"},
        {blanks, "options", "tab", "x"}, {blanks, "Options", "key", NONE}, {blanks, "Other", "key one", NONE},
        {blanks, "\fW\v", "\x1ak ", "7"},  // every blank of the system's reader, ^Z included
        {quotes, "S", "q1", "quoted"}, {quotes, "S", "q2", "single"}, {quotes, "S", "q3", "\"mixed'"},
        {quotes, "S", "q4", "\"open"}, {quotes, "S", "q5", ""}, {quotes, "S", "q6", " inner "},
        {quotes, "S", "q7", "a\"b"}, {quotes, "S", "q8", "\""}, {quotes, "S", "q9", "\""},
        {lines, "S", "c", NONE}, {lines, "S", ";c", NONE}, {lines, "S", "d", NONE}, {lines, "S", "noeq", NONE},
        {lines, "S", "", NONE}, {lines, "S", "k", "v=w"},
        {duplicates, "S", "k", "1"}, {duplicates, "S", "j", NONE}, {duplicates, "T", "k", "3"},
        {brackets, "A", "k", "1"}, {brackets, "A]x", "k", NONE}, {brackets, "B", "k", "2"}, {brackets, "C", "k", "3"},
        {brackets, "D", "k", "4"}, {brackets, "D", "j", "5"}, {brackets, "E", "j", NONE}, {brackets, "D", "[x", "6"},
        {brackets, "", "k", NONE}, {brackets, "", "z", NONE}, {brackets, "]", "z", NONE}, {brackets, "D", "z", NONE},
        {ends, "S", "k", "cr"}, {ends, "T", "k", "lf"}, {ends, "U", "k", "crlf"}, {ends, "U", "j", "1"},
        {ends, "U", "m", "2"}, {ends, "U", "n", "3"}, {longs, "S", "nul", "ab"},
        {longs, "S", "long", std::string(4095, 'x')}, {longs, "S", "exact", std::string(4095, 'y')},
        {longs, "S", "quoted", std::string(4095, 'z')}, {wide, "S", "wide", "?\xe9\xff"}, {wide, "T", "z", "9"}};
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(ProfileDocument(row.file).value(row.section, row.key), row.value) << row.section << '/' << row.key;
    for (const std::string& file : {std::string(), std::string("[S]"), std::string("\r\n\n\r\r\n"), blanks, wide,
                                    std::string("[S]\r\na=\xe9t\xe9\r\nb=1\0x\r\n\r\n\r\n", 24)})
        EXPECT_EQ(ProfileDocument(file).bytes(), file);  // untouched files keep every byte
}

// Each row: the file, one batch of changes to one section, and the file after it; a row whose result is the
// file itself must report Unchanged. A batch with one change that could not be read back is refused whole.
TEST(ProfileDocument, ChangesGiveTheseBytes)
{
    const std::string ab = "[S]\r\na=1\r\nb=2\r\n", del = "[S]\r\na=1\r\n  B = 2\r\n[T]\r\nc=3";
    const std::string unicode = "[S]\r\nwide=\x01\xe9\r\nk=1\n[T]\rz=9",
                      changed = "[S]\r\nwide=\x01\xe9\r\nk=\xe0\nn=2\r\n[T]\rz=9";
    const struct {
        std::string file, section;
        std::vector<SettingChange> changes;
        std::string after;
    } rows[] = {
        // clang-format off
        // A changed line keeps the key's spelling and its own line end; the first duplicate is the one changed.
        {"; note\n[sEc]\n  Key  =  1  \nother = 2\n\n[T]\nz=9\n", "SEC", {set("key", "new")}, "; note\n[sEc]\nKey=new\nother = 2\n\n[T]\nz=9\n"},
        {"[S]\r\nk=1\r\nk=2\r\n", "S", {set("k", "9")}, "[S]\r\nk=9\r\nk=2\r\n"},
        {"[S]\r\n", "S", {set("a", " spaced "), set("b", "\"quoted\""), set(" c\v", ""), set("d", "x=y")}, "[S]\r\na= spaced \r\nb=\"quoted\"\r\nc=\r\nd=x=y\r\n"},
        {"[S]\r\nb\r\n", "S", {set("b", "1")}, "[S]\r\nb=1\r\n"},  // the key without a value takes it
        // Nothing to do.
        {"[S]\r\n a = 1 \r\n", "s", {set("A", "1")}, "[S]\r\n a = 1 \r\n"}, {ab, "S", {erase("missing")}, ab},
        {ab, "Missing", {erase("a")}, ab}, {ab, "S", {set("n", "1"), erase("n")}, ab},
        // A new key goes after the section's last line that is not blank.
        {"[S]\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", {set("c", "3")}, "[S]\r\na=1\r\nc=3\r\n\r\n\r\n[T]\r\nb=2\r\n"},
        {"[S]\r\na=1\r\n;trailing\r\n[T]\r\n", "S", {set("b", "2")}, "[S]\r\na=1\r\n;trailing\r\nb=2\r\n[T]\r\n"},
        {"[S]\n\n[T]\n", "S", {set("a", "1")}, "[S]\na=1\r\n\n[T]\n"}, {"[S]\r\na=1", "S", {set("b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
        {"\v[S]\f\r\nk=1\r\n\x1a", "S", {set("b", "2")}, "\v[S]\f\r\nk=1\r\nb=2\r\n\x1a"},
        // A new section goes at the end of the file.
        {"", "S", {set("a", "1")}, "[S]\r\na=1\r\n"}, {"[S]\r\na=1", "T", {set("b", "2")}, "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"[S]\r\na=1\r\n\r\n", " T ", {set("b", "2"), set("c", "3")}, "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\nc=3\r\n"},
        {"[A]x]\r\nk=1\r\n", "A", {set("k", "2")}, "[A]x]\r\nk=2\r\n"}, {"k=0\r\n", "S", {set("k", "1")}, "k=0\r\n[S]\r\nk=1\r\n"},
        // Deletes keep the section and remove every entry of the key in it.
        {del, "S", {erase("a")}, "[S]\r\n  B = 2\r\n[T]\r\nc=3"}, {del, "s", {erase("a"), erase("b")}, "[S]\r\n[T]\r\nc=3"},
        {del, "T", {erase("c")}, "[S]\r\na=1\r\n  B = 2\r\n[T]\r\n"},
        {"[S]\r\nk=1\r\nj=0\r\nK=2\r\n[S]\r\nk=3\r\n", "S", {erase("k")}, "[S]\r\nj=0\r\n[S]\r\nk=3\r\n"},
        // The changes of a batch apply in order.
        {ab, "S", {set("a", "x"), set("a", "y"), set("n", "1"), set("n", "2")}, "[S]\r\na=y\r\nb=2\r\nn=2\r\n"},
        {ab, "S", {erase("a"), set("a", "again")}, "[S]\r\nb=2\r\na=again\r\n"},
        {ab, "S", {set("n", "1"), erase("n"), set("b", "3")}, "[S]\r\na=1\r\nb=3\r\n"},
        {ab, "S", {set("c", "x\r\ny=z")}, REFUSED}, {ab, "S", {set("n", "1"), set("a", "x\ny")}, REFUSED},
        {ab, "S", {set("a", "x\ry")}, REFUSED}, {ab, "S", {set("a", std::string("x\0y", 3))}, REFUSED},
        {ab, "S", {set("a\r\n[T]", "1")}, REFUSED}, {ab, "S", {set("", "1")}, REFUSED}, {ab, "S", {set("  ", "1")}, REFUSED},
        {ab, "S", {set("a=b", "1")}, REFUSED}, {ab, "S", {set("[x]", "1")}, REFUSED}, {ab, "S", {set(";c", "1")}, REFUSED},
        {ab, "S", {erase("a\nb")}, REFUSED}, {ab, "", {set("a", "1")}, REFUSED}, {ab, "S\r\nT", {set("a", "1")}, REFUSED},
        {ab, "S]x", {set("a", "1")}, REFUSED}, {ab, " ", {set("a", "1")}, REFUSED},
        // A file saved as UTF-16 stays so, its untouched lines byte for byte (U+4E00 has no ISO 8859-1 character).
        {"\xFF\xFE" + utf16(unicode) + "!", "S", {set("k", "\xe0"), set("n", "2")}, "\xFF\xFE" + utf16(changed) + "!"},
        {"\xFE\xFF" + utf16(unicode, true), "S", {set("k", "\xe0"), set("n", "2")}, "\xFE\xFF" + utf16(changed, true)},
        {"\xFF\xFE", "S", {set("a", "1")}, "\xFF\xFE" + utf16("[S]\r\na=1\r\n")},
        {"\xFE\xFF", "S", {set("a", "1")}, "\xFE\xFF" + utf16("[S]\r\na=1\r\n", true)}};
    // clang-format on
    for (const auto& row : rows) {
        ProfileDocument document(row.file);
        const bool refused = row.after == REFUSED, same = row.after == row.file;
        const Outcome expected = refused ? Outcome::Refused : same ? Outcome::Unchanged : Outcome::Changed;
        // The look ahead may take a batch that undoes itself for a change, never a change for none.
        const Outcome previewed = document.preview(row.section, row.changes);
        EXPECT_TRUE(previewed == expected || (same && previewed == Outcome::Changed)) << row.after;
        EXPECT_EQ(document.apply(row.section, row.changes), expected) << row.after;
        EXPECT_EQ(document.bytes(), refused ? row.file : row.after);
        // What the document now gives is what the written bytes give.
        const ProfileDocument reread(document.bytes());
        for (const char* key : {"a", "b", "c", "k", "n", "key"})
            EXPECT_EQ(document.value(row.section, key), reread.value(row.section, key)) << row.after;
    }
    // A changed line beyond ISO 8859-1 (the system's code page gives such) keeps both bytes of each unit.
    for (const TextEncoding wide : {TextEncoding::Utf16LittleEndian, TextEncoding::Utf16BigEndian})
        EXPECT_EQ(unicode_text::bytesOf(u"\u4E00", wide), utf16("\x01", wide == TextEncoding::Utf16BigEndian));
}

TEST(ProfileFile, ReadsTheFileOnceAndWritesOnlyChangesOneWritePerSection)
{
    MemoryFileSystem files;
    ProfileFile profile(files, PATH);
    EXPECT_TRUE(profile.read("Options", "Column").empty() && profile.write("Options", "Theme", std::nullopt) &&
                profile.writeSection("AlarmList", {erase("0"), erase("1")}) && files.replacements == 0);
    EXPECT_TRUE(profile.write("Options", "Column", std::string("130,124")));
    EXPECT_TRUE(profile.writeSection("Options", {erase("Column"), set("Column", "130,124")}) &&
                profile.writeSection("Options", {set("n", "1"), erase("n")}));  // nothing to write
    EXPECT_TRUE(profile.writeSection("AlarmList", {set("0", "a"), set("1", "b")}));
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
    EXPECT_TRUE(early.retryFirstRead() && early.read("Options", "Flags") == "1");  // the way out: read it once more

    ProfileFile profile(files, PATH);
    EXPECT_EQ(profile.read("Options", "Flags"), "1");
    files.failReplaces = files.failReads = true;
    EXPECT_FALSE(profile.write("Options", "Flags", std::string("5")));
    EXPECT_TRUE(profile.read("Options", "Flags") == "1" && !profile.unreadable() && profile.retryFirstRead());
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
