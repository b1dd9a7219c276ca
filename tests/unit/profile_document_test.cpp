#include "platform/profile/profile_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = ProfileDocument::ChangeOutcome;
using Changes = std::vector<SettingChange>;
constexpr std::nullopt_t NONE = std::nullopt;

SettingChange set(const std::string& key, const std::string& value)
{
    return {key, value};
}
SettingChange erase(const std::string& key)
{
    return {key, NONE};
}

// ASCII text as UTF-16 bytes, little- or big-endian; "\x01" stands for U+4E00.
std::string utf16(const std::string& text, bool bigEndian = false)
{
    std::string out;
    for (const char c : text) {
        const std::string unit = c == '\x01' ? std::string("\x00\x4E", 2) : std::string{c, '\0'};
        out += bigEndian ? std::string{unit[1], unit[0]} : unit;
    }
    return out;
}

}  // namespace

TEST(ProfileDocument, ReadsValuesAsTheSystemsReaderDoes)
{
    const std::string blanks = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n\v\x1a[W]\f\r\n\vk\f=\v7\x1a";
    const std::string quotes = "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
                               "q6= \" inner \" \r\nq7=\"a\"b\"\r\nq8=\"\r\nq9=\"\"\"\r\n";
    const std::string lines =
        "[S]\r\n;c=comment\r\n  ; d = indented\r\nnoeq\r\nnoeq=shadowed\r\n=nameless\r\nk=v=w\r\n";
    const std::string duplicates = "[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n";
    const std::string brackets = "[A]x]\r\nk=1\r\n[ B ]\r\nk=2\r\n[C] ; note\r\nk=3\r\n  [D]\r\nk=4\r\n[E\r\nj=5\r\n"
                                 "[x=6\r\n[]\r\nk=7\r\n";
    const std::string before = "k=0\r\n[S]\r\nk=1\r\n";
    const std::string ends = "[S]\rk=cr\r[T]\nk=lf\n[U]\r\nk=crlf\r\nj=1\rm=2\n\rn=3";
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
        {brackets, "", "k", NONE}, {before, "", "k", NONE}, {before, "S", "k", "1"},
        {ends, "S", "k", "cr"}, {ends, "T", "k", "lf"}, {ends, "U", "k", "crlf"}, {ends, "U", "j", "1"},
        {ends, "U", "m", "2"}, {ends, "U", "n", "3"},
        {longs, "S", "long", std::string(4095, 'x')}, {longs, "S", "exact", std::string(4095, 'y')},
        {longs, "S", "quoted", std::string(4095, 'z')}, {longs, "S", "nul", "ab"}};
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(ProfileDocument(row.file).value(row.section, row.key), row.value) << row.section << '/' << row.key;
    }
    for (const std::string& file : {std::string(), std::string("[S]"), std::string("\r\n\n\r\r\n"), blanks, lines,
                                    std::string("[S]\r\na=\xe9t\xe9\r\nb=1\0x\r\n\r\n\r\n", 24)}) {
        EXPECT_EQ(ProfileDocument(file).bytes(), file);  // untouched files keep every byte
    }
}

// Each row: the file, one batch of changes to one section, and the file after
// it; a row whose result is the file itself must report Unchanged.
TEST(ProfileDocument, ChangesGiveTheseBytes)
{
    const std::string ab = "[S]\r\na=1\r\nb=2\r\n", del = "[S]\r\na=1\r\n  B = 2\r\n[T]\r\nc=3";
    const struct {
        std::string file, section;
        Changes changes;
        std::string after;
    } rows[] = {
        // A changed line keeps the key's spelling and its own line end; the first duplicate is the one changed.
        {"; note\n[sEc]\n  Key  =  1  \nother = 2\n\n[T]\nz=9\n",
         "SEC",
         {set("key", "new")},
         "; note\n[sEc]\nKey=new\nother = 2\n\n[T]\nz=9\n"},
        {"[S]\r\nk=1\r\nk=2\r\n", "S", {set("k", "9")}, "[S]\r\nk=9\r\nk=2\r\n"},
        {"[S]\r\n",
         "S",
         {set("a", " spaced "), set("b", "\"quoted\""), set(" c\v", ""), set("d", "x=y")},
         "[S]\r\na= spaced \r\nb=\"quoted\"\r\nc=\r\nd=x=y\r\n"},
        {"[S]\r\nb\r\n", "S", {set("b", "1")}, "[S]\r\nb=1\r\n"},  // the key without a value takes it
        // Nothing to do.
        {"[S]\r\n a = 1 \r\n", "s", {set("A", "1")}, "[S]\r\n a = 1 \r\n"},
        {"[S]\r\n a = 1 \r\n", "S", {erase("missing")}, "[S]\r\n a = 1 \r\n"},
        {"[S]\r\n a = 1 \r\n", "Missing", {erase("a")}, "[S]\r\n a = 1 \r\n"},
        {ab, "S", {set("n", "1"), erase("n")}, ab},
        // A new key goes after the section's last line that is not blank.
        {"[S]\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", {set("c", "3")}, "[S]\r\na=1\r\nc=3\r\n\r\n\r\n[T]\r\nb=2\r\n"},
        {"[S]\r\na=1\r\n;trailing\r\n[T]\r\n", "S", {set("b", "2")}, "[S]\r\na=1\r\n;trailing\r\nb=2\r\n[T]\r\n"},
        {"[S]\n\n[T]\n", "S", {set("a", "1")}, "[S]\na=1\r\n\n[T]\n"},
        {"[S]\r\na=1", "S", {set("b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
        {"\v[S]\f\r\nk=1\r\n\x1a", "S", {set("b", "2")}, "\v[S]\f\r\nk=1\r\nb=2\r\n\x1a"},
        // A new section goes at the end of the file.
        {"", "S", {set("a", "1")}, "[S]\r\na=1\r\n"},
        {"[S]\r\na=1\r\n", " T ", {set("b", "2"), set("c", "3")}, "[S]\r\na=1\r\n[T]\r\nb=2\r\nc=3\r\n"},
        {"[S]\r\na=1", "T", {set("b", "2")}, "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"[S]\r\na=1\r\n\r\n", "T", {set("b", "2")}, "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n"},
        {"[A]x]\r\nk=1\r\n", "A", {set("k", "2")}, "[A]x]\r\nk=2\r\n"},
        {"k=0\r\n", "S", {set("k", "1")}, "k=0\r\n[S]\r\nk=1\r\n"},
        // Deletes keep the section and remove every entry of the key in it.
        {del, "S", {erase("a")}, "[S]\r\n  B = 2\r\n[T]\r\nc=3"},
        {del, "s", {erase("a"), erase("b")}, "[S]\r\n[T]\r\nc=3"},
        {del, "T", {erase("c")}, "[S]\r\na=1\r\n  B = 2\r\n[T]\r\n"},
        {"[S]\r\nk=1\r\nj=0\r\nK=2\r\n[S]\r\nk=3\r\n", "S", {erase("k")}, "[S]\r\nj=0\r\n[S]\r\nk=3\r\n"},
        // The changes of a batch apply in order.
        {ab, "S", {set("a", "x"), set("a", "y"), set("n", "1"), set("n", "2")}, "[S]\r\na=y\r\nb=2\r\nn=2\r\n"},
        {ab, "S", {erase("a"), set("a", "again")}, "[S]\r\nb=2\r\na=again\r\n"},
        {ab, "S", {set("n", "1"), erase("n"), set("b", "3")}, "[S]\r\na=1\r\nb=3\r\n"},
    };
    for (const auto& row : rows) {
        ProfileDocument document(row.file);
        const Outcome outcome = row.after == row.file ? Outcome::Unchanged : Outcome::Changed;
        EXPECT_EQ(document.apply(row.section, row.changes), outcome) << row.after;
        EXPECT_EQ(document.bytes(), row.after);
        // What the document now gives is what the written bytes give.
        const ProfileDocument reread(document.bytes());
        for (const SettingChange& change : row.changes)
            EXPECT_EQ(document.value(row.section, change.key), reread.value(row.section, change.key)) << row.after;
    }
}

TEST(ProfileDocument, RefusesWhatCouldNotBeReadBackAndChangesNothing)
{
    const std::string file = "[S]\r\na=1\r\n";
    const std::vector<std::pair<std::string, SettingChange>> refused = {
        {"S", set("a", "x\r\ny=z")}, {"S", set("a", "x\ny")},
        {"S", set("a", "x\ry")},     {"S", set("a", std::string("x\0y", 3))},
        {"S", set("a\r\n[T]", "1")}, {"S", set("", "1")},
        {"S", set("  ", "1")},       {"S", set("a=b", "1")},
        {"S", set("[x]", "1")},      {"S", set(";c", "1")},
        {"S", erase("a\nb")},        {"", set("a", "1")},
        {"S\r\nT", set("a", "1")},   {"S]x", set("a", "1")},
        {" ", set("a", "1")}};
    for (const auto& [section, change] : refused) {
        ProfileDocument document(file);
        EXPECT_EQ(document.apply(section, {set("b", "2"), change}), Outcome::Refused) << change.key;
        EXPECT_EQ(document.bytes(), file) << change.key;
    }
}

// A file saved as UTF-16 is read in the code page (here ISO 8859-1, where
// U+4E00 has no character) and keeps its encoding and its untouched lines.
TEST(ProfileDocument, UnicodeFilesKeepTheirEncodingAndTheirUntouchedLines)
{
    for (const bool bigEndian : {false, true}) {
        const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        const std::string file = mark + utf16("[S]\r\nwide=\x01\xe9\r\nk=1\n[T]\rz=9", bigEndian) + "!";
        ProfileDocument document(file);
        EXPECT_EQ(document.bytes(), file);
        EXPECT_EQ(document.value("S", "wide"), "?\xe9");
        EXPECT_EQ(document.value("T", "z"), "9");
        EXPECT_EQ(document.apply("S", {set("k", "\xe0"), set("n", "2")}), Outcome::Changed);
        EXPECT_EQ(document.apply("U", {set("u", "3")}), Outcome::Changed);
        EXPECT_EQ(document.bytes(),
                  mark + utf16("[S]\r\nwide=\x01\xe9\r\nk=\xe0\nn=2\r\n[T]\rz=9\r\n[U]\r\nu=3\r\n", bigEndian) + "!");
    }
    EXPECT_EQ(ProfileDocument("\xFF\xFE").bytes(), "\xFF\xFE");
}

TEST(ProfileDocument, LargeSectionIsWrittenAndReadBackInOneBatch)
{
    Changes changes, deletions;
    for (int i = 0; i < 10000; ++i) {
        changes.push_back(set(std::to_string(i), "alarm " + std::to_string(i)));
        if (i > 0)
            deletions.push_back(erase(std::to_string(i)));
    }
    ProfileDocument document("[Options]\r\nFlags=1\r\n");
    ASSERT_EQ(document.apply("AlarmList", changes), Outcome::Changed);
    EXPECT_EQ(document.apply("AlarmList", changes), Outcome::Unchanged);
    ProfileDocument reread(document.bytes());
    for (int i = 0; i < 10000; i += 997)
        EXPECT_EQ(reread.value("AlarmList", std::to_string(i)), changes[i].value);
    ASSERT_EQ(reread.apply("AlarmList", deletions), Outcome::Changed);
    EXPECT_EQ(reread.bytes(), "[Options]\r\nFlags=1\r\n[AlarmList]\r\n0=alarm 0\r\n");
}
