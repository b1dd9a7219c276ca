#include "platform/profile/profile_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = ProfileDocument::ChangeOutcome;
using Changes = std::vector<SettingChange>;

SettingChange set(const std::string& key, const std::string& value)
{
    return {key, value};
}
SettingChange erase(const std::string& key)
{
    return {key, std::nullopt};
}

}  // namespace

TEST(ProfileDocument, ReadsNamesQuotesCommentsDuplicatesBracketsAndLineEnds)
{
    const std::string blanks = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n";
    const std::string quotes = "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
                               "q6= \" inner \" \r\nq7=\"a\"b\"\r\nq8=\"\r\nq9=\"\"\"\r\n";
    const std::string comments = "[S]\r\n;c=comment\r\n  ; d = indented\r\nnoeq\r\n=nameless\r\nk=v=w\r\n";
    const std::string duplicates = "[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n";
    const std::string brackets = "[A]x]\r\nk=1\r\n[ B ]\r\nk=2\r\n[C] ; note\r\nk=3\r\n  [D]\r\nk=4\r\n[E\r\nj=5\r\n";
    const std::string before = "k=0\r\n[S]\r\nk=1\r\n";
    const std::string ends = "[S]\rk=cr\r[T]\nk=lf\n[U]\r\nk=crlf\r\nj=1\rm=2\n\rn=3";
    const std::string longs = "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
        "\r\nquoted=\"" + std::string(5000, 'z') + "\"\r\n" + std::string("nul=ab\0cd\r\n", 11);
    constexpr std::nullopt_t none = std::nullopt;  // "[E" below is no header
    const struct {
        const std::string& file;
        const char *section, *key;
        std::optional<std::string> value;
    } cases[] = {
        {blanks, "Options", "key one", "value 1"},
        {blanks, " OPTIONS ", "KEY ONE ", "value 1"},
        {blanks, "options", "tab", "x"},
        {blanks, "Options", "key", none},
        {blanks, "Other", "key one", none},
        {quotes, "S", "q1", "quoted"},
        {quotes, "S", "q2", "single"},
        {quotes, "S", "q3", "\"mixed'"},
        {quotes, "S", "q4", "\"open"},
        {quotes, "S", "q5", ""},
        {quotes, "S", "q6", " inner "},
        {quotes, "S", "q7", "a\"b"},
        {quotes, "S", "q8", "\""},
        {quotes, "S", "q9", "\""},
        {comments, "S", "c", none},
        {comments, "S", ";c", none},
        {comments, "S", "d", none},
        {comments, "S", "noeq", none},
        {comments, "S", "", none},
        {comments, "S", "k", "v=w"},
        {duplicates, "S", "k", "1"},
        {duplicates, "S", "j", none},
        {duplicates, "T", "k", "3"},
        {brackets, "A", "k", "1"},
        {brackets, "A]x", "k", none},
        {brackets, "B", "k", "2"},
        {brackets, "C", "k", "3"},
        {brackets, "D", "k", "4"},
        {brackets, "D", "j", "5"},
        {brackets, "E", "j", none},
        {before, "", "k", none},
        {before, "S", "k", "1"},
        {ends, "S", "k", "cr"},
        {ends, "T", "k", "lf"},
        {ends, "U", "k", "crlf"},
        {ends, "U", "j", "1"},
        {ends, "U", "m", "2"},
        {ends, "U", "n", "3"},
        {longs, "S", "long", std::string(4095, 'x')},
        {longs, "S", "exact", std::string(4095, 'y')},
        {longs, "S", "quoted", std::string(4095, 'z')},
        {longs, "S", "nul", "ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileDocument(c.file).value(c.section, c.key), c.value) << c.section << '/' << c.key;
    }
    EXPECT_EQ(ProfileDocument("[]\r\nk=2\r\n").value("", "k"), std::nullopt);
}

TEST(ProfileDocument, UntouchedFilesKeepEveryByte)
{
    for (const std::string& file : {std::string(), std::string("[S]"), std::string("\r\n\n\r\r\n"),
                                    std::string("; top\n\n[S]  \r\n  a  =  1  \r\n\r\n\rnoeq\n[T]\r\nz=9"),
                                    std::string("[S]\r\na=\xe9t\xe9\r\nb=1\0x\r\n\r\n\r\n", 24)}) {
        EXPECT_EQ(ProfileDocument(file).bytes(), file);
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
         {set("a", " spaced "), set("b", "\"quoted\""), set(" c ", ""), set("d", "x=y")},
         "[S]\r\na= spaced \r\nb=\"quoted\"\r\nc=\r\nd=x=y\r\n"},
        // Nothing to do.
        {"[S]\r\n a = 1 \r\n", "s", {set("A", "1")}, "[S]\r\n a = 1 \r\n"},
        {"[S]\r\n a = 1 \r\n", "S", {erase("missing")}, "[S]\r\n a = 1 \r\n"},
        {"[S]\r\n a = 1 \r\n", "Missing", {erase("a")}, "[S]\r\n a = 1 \r\n"},
        {ab, "S", {set("n", "1"), erase("n")}, ab},
        // A new key goes after the section's last entry.
        {"[S]\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", {set("c", "3")}, "[S]\r\na=1\r\nc=3\r\n\r\n\r\n[T]\r\nb=2\r\n"},
        {"[S]\r\na=1\r\n;trailing\r\n[T]\r\n", "S", {set("b", "2")}, "[S]\r\na=1\r\n;trailing\r\nb=2\r\n[T]\r\n"},
        {"[S]\n\n[T]\n", "S", {set("a", "1")}, "[S]\na=1\r\n\n[T]\n"},
        {"[S]\r\nb\r\n", "S", {set("b", "1")}, "[S]\r\nb\r\nb=1\r\n"},
        {"[S]\r\na=1", "S", {set("b", "2")}, "[S]\r\na=1\r\nb=2\r\n"},
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
        for (const SettingChange& change : row.changes) {
            EXPECT_EQ(document.value(row.section, change.key), reread.value(row.section, change.key)) << row.after;
        }
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
        {"S", erase("a\n")},         {"", set("a", "1")},
        {"S\r\n", set("a", "1")},    {"S]x", set("a", "1")},
        {" ", set("a", "1")},
    };
    for (const auto& [section, change] : refused) {
        ProfileDocument document(file);
        EXPECT_EQ(document.apply(section, {set("b", "2"), change}), Outcome::Refused) << change.key;
        EXPECT_EQ(document.bytes(), file) << change.key;
    }
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
