#include "platform/profile/profile_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = ProfileDocument::ChangeOutcome;

std::optional<std::string> valueIn(const std::string& bytes, const std::string& section, const std::string& key)
{
    return ProfileDocument(bytes).value(section, key);
}

SettingChange set(const std::string& key, const std::string& value)
{
    return SettingChange{key, value};
}

SettingChange erase(const std::string& key)
{
    return SettingChange{key, std::nullopt};
}

// The file's bytes after one batch of changes, which must be applied.
std::string changed(const std::string& bytes, const std::string& section, const std::vector<SettingChange>& changes)
{
    ProfileDocument document(bytes);
    EXPECT_EQ(document.apply(section, changes), Outcome::Changed);
    return document.bytes();
}

}  // namespace

TEST(ProfileDocument, NamesMatchWithoutCaseOrSurroundingBlanksAndValuesAreTrimmed)
{
    const std::string file = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n";
    EXPECT_EQ(valueIn(file, "Options", "key one"), "value 1");
    EXPECT_EQ(valueIn(file, " OPTIONS ", "KEY ONE "), "value 1");
    EXPECT_EQ(valueIn(file, "options", "tab"), "x");
    EXPECT_EQ(valueIn(file, "Options", "key"), std::nullopt);
    EXPECT_EQ(valueIn(file, "Other", "key one"), std::nullopt);
}

TEST(ProfileDocument, OneMatchingPairOfOuterQuotesIsRemoved)
{
    const std::string file =
        "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
        "q6= \" inner \" \r\nq7=\"a\"b\"\r\nq8=\"\r\nq9=\"\"\"\r\n";
    EXPECT_EQ(valueIn(file, "S", "q1"), "quoted");
    EXPECT_EQ(valueIn(file, "S", "q2"), "single");
    EXPECT_EQ(valueIn(file, "S", "q3"), "\"mixed'");
    EXPECT_EQ(valueIn(file, "S", "q4"), "\"open");
    EXPECT_EQ(valueIn(file, "S", "q5"), "");
    EXPECT_EQ(valueIn(file, "S", "q6"), " inner ");
    EXPECT_EQ(valueIn(file, "S", "q7"), "a\"b");
    EXPECT_EQ(valueIn(file, "S", "q8"), "\"");
    EXPECT_EQ(valueIn(file, "S", "q9"), "\"");
}

TEST(ProfileDocument, CommentsAndLinesWithoutEqualsAreNeverMatched)
{
    const std::string file = "[S]\r\n;c=comment\r\n  ; d = indented\r\nnoeq\r\n=nameless\r\nk=v=w\r\n";
    EXPECT_EQ(valueIn(file, "S", "c"), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", ";c"), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", "d"), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", "noeq"), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", ""), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", "k"), "v=w");
}

TEST(ProfileDocument, FirstOfDuplicateSectionsAndKeysWins)
{
    const std::string file = "[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n";
    EXPECT_EQ(valueIn(file, "S", "k"), "1");
    EXPECT_EQ(valueIn(file, "S", "j"), std::nullopt);
    EXPECT_EQ(valueIn(file, "T", "k"), "3");
}

TEST(ProfileDocument, SectionNameEndsAtTheFirstBracket)
{
    const std::string file = "[A]x]\r\nk=1\r\n[ B ]\r\nk=2\r\n[C] ; note\r\nk=3\r\n  [D]\r\nk=4\r\n[E\r\nj=5\r\n";
    EXPECT_EQ(valueIn(file, "A", "k"), "1");
    EXPECT_EQ(valueIn(file, "A]x", "k"), std::nullopt);
    EXPECT_EQ(valueIn(file, "B", "k"), "2");
    EXPECT_EQ(valueIn(file, "C", "k"), "3");
    EXPECT_EQ(valueIn(file, "D", "k"), "4");
    // "[E" has no closing bracket: no header, so j still belongs to D.
    EXPECT_EQ(valueIn(file, "D", "j"), "5");
    EXPECT_EQ(valueIn(file, "E", "j"), std::nullopt);
}

TEST(ProfileDocument, TextBeforeTheFirstSectionIsUnreachable)
{
    const std::string file = "k=0\r\n[S]\r\nk=1\r\n";
    EXPECT_EQ(valueIn(file, "", "k"), std::nullopt);
    EXPECT_EQ(valueIn(file, "S", "k"), "1");
    EXPECT_EQ(valueIn("[]\r\nk=2\r\n", "", "k"), std::nullopt);
}

TEST(ProfileDocument, ReadsCrLfCrAndLfLineEnds)
{
    const std::string file = "[S]\rk=cr\r[T]\nk=lf\n[U]\r\nk=crlf\r\nj=1\rm=2\n\rn=3";
    EXPECT_EQ(valueIn(file, "S", "k"), "cr");
    EXPECT_EQ(valueIn(file, "T", "k"), "lf");
    EXPECT_EQ(valueIn(file, "U", "k"), "crlf");
    EXPECT_EQ(valueIn(file, "U", "j"), "1");
    EXPECT_EQ(valueIn(file, "U", "m"), "2");
    EXPECT_EQ(valueIn(file, "U", "n"), "3");
}

TEST(ProfileDocument, ReadGivesAtMost4095CharactersAndStopsAtNul)
{
    const std::string file = "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
                             "\r\nquoted=\"" + std::string(5000, 'z') + "\"\r\n" + std::string("nul=ab\0cd\r\n", 11);
    EXPECT_EQ(valueIn(file, "S", "long"), std::string(4095, 'x'));
    EXPECT_EQ(valueIn(file, "S", "exact"), std::string(4095, 'y'));
    EXPECT_EQ(valueIn(file, "S", "quoted"), std::string(4095, 'z'));
    EXPECT_EQ(valueIn(file, "S", "nul"), "ab");
}

TEST(ProfileDocument, UntouchedFilesKeepEveryByte)
{
    const std::vector<std::string> files = {
        "",
        "[S]",
        "; top\n\n[S]  \r\n  a  =  1  \r\n\r\n\rnoeq\n[T]\r\nz=9",
        std::string("[S]\r\na=\xe9t\xe9\r\nb=1\0x\r\n\r\n\r\n", 24),
        "\r\n\n\r\r\n",
    };
    for (const std::string& file : files) {
        EXPECT_EQ(ProfileDocument(file).bytes(), file);
    }
}

TEST(ProfileDocument, ChangedValueRewritesOnlyItsOwnLine)
{
    // The key keeps the file's spelling and its line keeps its own line end.
    const std::string file = "; note\n[sEc]\n  Key  =  1  \nother = 2\n\n[T]\nz=9\n";
    EXPECT_EQ(changed(file, "SEC", {set("key", "new")}), "; note\n[sEc]\nKey=new\nother = 2\n\n[T]\nz=9\n");
    EXPECT_EQ(changed("[S]\r\nk=1\r\nk=2\r\n", "S", {set("k", "9")}), "[S]\r\nk=9\r\nk=2\r\n");
}

TEST(ProfileDocument, ValuesAreWrittenExactlyAsGiven)
{
    ProfileDocument document("[S]\r\n");
    ASSERT_EQ(document.apply("S", {set("a", " spaced "), set("b", "\"quoted\""), set(" c ", ""), set("d", "x=y")}),
              Outcome::Changed);
    EXPECT_EQ(document.bytes(), "[S]\r\na= spaced \r\nb=\"quoted\"\r\nc=\r\nd=x=y\r\n");
    EXPECT_EQ(document.value("S", "a"), "spaced");
    EXPECT_EQ(document.value("S", "b"), "quoted");
    EXPECT_EQ(document.value("S", "c"), "");
    EXPECT_EQ(document.value("S", "d"), "x=y");
}

TEST(ProfileDocument, WritingTheStoredValueChangesNothing)
{
    ProfileDocument document("[S]\r\n a = 1 \r\n");
    EXPECT_EQ(document.apply("s", {set("A", "1")}), Outcome::Unchanged);
    EXPECT_EQ(document.apply("S", {erase("missing")}), Outcome::Unchanged);
    EXPECT_EQ(document.apply("Missing", {erase("a")}), Outcome::Unchanged);
    EXPECT_EQ(document.bytes(), "[S]\r\n a = 1 \r\n");
}

TEST(ProfileDocument, NewKeyGoesAfterTheSectionsLastEntry)
{
    EXPECT_EQ(changed("[S]\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n", "S", {set("c", "3")}),
              "[S]\r\na=1\r\nc=3\r\n\r\n\r\n[T]\r\nb=2\r\n");
    EXPECT_EQ(changed("[S]\r\na=1\r\n;trailing\r\n[T]\r\n", "S", {set("b", "2")}),
              "[S]\r\na=1\r\n;trailing\r\nb=2\r\n[T]\r\n");
    EXPECT_EQ(changed("[S]\n\n[T]\n", "S", {set("a", "1")}), "[S]\na=1\r\n\n[T]\n");
    // A line without '=' is not the key, even when it reads like its name.
    EXPECT_EQ(changed("[S]\r\nb\r\n", "S", {set("b", "1")}), "[S]\r\nb\r\nb=1\r\n");
    // The file's last line gets its line end before the new key.
    EXPECT_EQ(changed("[S]\r\na=1", "S", {set("b", "2")}), "[S]\r\na=1\r\nb=2\r\n");
}

TEST(ProfileDocument, NewSectionGoesAtTheEndOfTheFile)
{
    EXPECT_EQ(changed("", "S", {set("a", "1")}), "[S]\r\na=1\r\n");
    EXPECT_EQ(changed("[S]\r\na=1\r\n", " T ", {set("b", "2"), set("c", "3")}), "[S]\r\na=1\r\n[T]\r\nb=2\r\nc=3\r\n");
    EXPECT_EQ(changed("[S]\r\na=1", "T", {set("b", "2")}), "[S]\r\na=1\r\n[T]\r\nb=2\r\n");
    EXPECT_EQ(changed("[S]\r\na=1\r\n\r\n", "T", {set("b", "2")}), "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n");
    // A section whose name ends at an earlier bracket is another section.
    EXPECT_EQ(changed("[A]x]\r\nk=1\r\n", "A", {set("k", "2")}), "[A]x]\r\nk=2\r\n");
    EXPECT_EQ(changed("k=0\r\n", "S", {set("k", "1")}), "k=0\r\n[S]\r\nk=1\r\n");
}

TEST(ProfileDocument, DeleteRemovesTheKeyAndKeepsTheSection)
{
    const std::string file = "[S]\r\na=1\r\n  B = 2\r\n[T]\r\nc=3";
    EXPECT_EQ(changed(file, "S", {erase("a")}), "[S]\r\n  B = 2\r\n[T]\r\nc=3");
    EXPECT_EQ(changed(file, "s", {erase("a"), erase("b")}), "[S]\r\n[T]\r\nc=3");
    EXPECT_EQ(changed(file, "T", {erase("c")}), "[S]\r\na=1\r\n  B = 2\r\n[T]\r\n");
}

TEST(ProfileDocument, DeleteRemovesEveryEntryOfTheKeySoNoDuplicateComesBack)
{
    ProfileDocument document("[S]\r\nk=1\r\nj=0\r\nK=2\r\n[S]\r\nk=3\r\n");
    ASSERT_EQ(document.apply("S", {erase("k")}), Outcome::Changed);
    EXPECT_EQ(document.value("S", "k"), std::nullopt);
    EXPECT_EQ(document.bytes(), "[S]\r\nj=0\r\n[S]\r\nk=3\r\n");
}

TEST(ProfileDocument, ChangesOfOneBatchApplyInOrder)
{
    const std::string file = "[S]\r\na=1\r\nb=2\r\n";
    EXPECT_EQ(changed(file, "S", {set("a", "x"), set("a", "y"), set("n", "1"), set("n", "2")}),
              "[S]\r\na=y\r\nb=2\r\nn=2\r\n");
    EXPECT_EQ(changed(file, "S", {erase("a"), set("a", "again")}), "[S]\r\nb=2\r\na=again\r\n");
    EXPECT_EQ(changed(file, "S", {set("n", "1"), erase("n"), set("b", "3")}), "[S]\r\na=1\r\nb=3\r\n");
    ProfileDocument document(file);
    EXPECT_EQ(document.apply("S", {set("n", "1"), erase("n")}), Outcome::Unchanged);
    EXPECT_EQ(document.bytes(), file);
}

TEST(ProfileDocument, RefusesWhatCouldNotBeReadBackAndChangesNothing)
{
    const std::string file = "[S]\r\na=1\r\n";
    const std::vector<std::pair<std::string, SettingChange>> refused = {
        {"S", set("a", "x\r\ny=z")},    {"S", set("a", "x\ny")},     {"S", set("a", "x\ry")},
        {"S", set("a", std::string("x\0y", 3))},
        {"S", set("a\r\n[T]", "1")},    {"S", set("", "1")},         {"S", set("  ", "1")},
        {"S", set("a=b", "1")},         {"S", set("[x]", "1")},      {"S", set(";c", "1")},
        {"S", erase("a\n")},            {"", set("a", "1")},         {"S\r\n", set("a", "1")},
        {"S]x", set("a", "1")},         {" ", set("a", "1")},
    };
    for (const auto& [section, change] : refused) {
        ProfileDocument document(file);
        EXPECT_EQ(document.apply(section, {set("b", "2"), change}), Outcome::Refused) << change.key;
        EXPECT_EQ(document.bytes(), file) << change.key;
    }
}

TEST(ProfileDocument, LargeSectionIsWrittenAndReadBackInOneBatch)
{
    const int count = 10000;
    std::vector<SettingChange> changes;
    for (int i = 0; i < count; ++i) changes.push_back(set(std::to_string(i), "alarm " + std::to_string(i)));
    ProfileDocument document("[Options]\r\nFlags=1\r\n");
    ASSERT_EQ(document.apply("AlarmList", changes), Outcome::Changed);
    EXPECT_EQ(document.apply("AlarmList", changes), Outcome::Unchanged);

    ProfileDocument reread(document.bytes());
    for (int i = 0; i < count; i += 997) EXPECT_EQ(reread.value("AlarmList", std::to_string(i)), "alarm " + std::to_string(i));
    std::vector<SettingChange> deletions;
    for (int i = 1; i < count; ++i) deletions.push_back(erase(std::to_string(i)));
    ASSERT_EQ(reread.apply("AlarmList", deletions), Outcome::Changed);
    EXPECT_EQ(reread.bytes(), "[Options]\r\nFlags=1\r\n[AlarmList]\r\n0=alarm 0\r\n");
}
