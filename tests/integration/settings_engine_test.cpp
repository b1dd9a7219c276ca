// The settings engine against the system's own profile functions, and its saves killed midway.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "integration/harness.h"
#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "soak/crash_run.h"

namespace {

const std::string NO_FILE = "<missing>", SAME = "<as at the start>";

// A row: the file at the start, the calls, the file at the end. Calls are separated by '|', each one
// "section:key" and then "?text" for a read that must give the text, "=value" for a write, or "!" for a deletion.
struct Row {
    const char* name;
    std::string initial, calls, expected;
    bool wineRewrites = false;  // Wine writes the whole file anew, without the blanks and line ends it had
};

std::vector<Row> rows()
{
    const std::string blanks = "[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n";
    const std::string quotes = "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
                               "q6= \" inner \" \r\nq7=\"a\"b\"\r\n";
    const std::string x = std::string(4095, 'x'), y = std::string(4095, 'y'), z = std::string(4095, 'z');
    const std::string untouched = "; top\r\n\r\n[S]  ; note\r\n  a  =  1  \r\n\r\n[T]\r\nz=";
    return {
        {"BlanksAroundNamesAndValues", blanks,
         "Options:key one?value 1| options :KEY ONE?value 1|OPTIONS:tab?x|Options:key?", SAME},
        {"OuterQuotes", quotes, "S:q1?quoted|S:q2?single|S:q3?\"mixed'|S:q4?\"open|S:q5?|S:q6? inner |S:q7?a\"b", SAME},
        {"CommentsAndLinesWithoutEquals", "[S]\r\n;c=comment\r\nnoeq\r\na=1\r\n;end\r\n[T]\r\n",
         "S:c?|S:noeq?|S:a?1|S:b=2", "[S]\r\n;c=comment\r\nnoeq\r\na=1\r\n;end\r\nb=2\r\n[T]\r\n"},
        {"FirstOfDuplicateSections", "[S]\r\nk=1\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n",
         "S:k?1|S:j?|T:k?3|S:j=6|s:j?6", "[S]\r\nk=1\r\nj=6\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n"},
        {"FirstOfDuplicateKeysNamesWithoutCase", "[sEc]\r\nKey=1\r\nkey=2\r\n", "SEC:key?1|Sec:KEY=9|sec:key?9",
         "[sEc]\r\nKey=9\r\nkey=2\r\n"},
        {"CrLfAndMixedLineEnds", "[S]\ra=1\r[T]\nb=2\n\n[U]\r\nc=3\rd=4\ne=5\n\rf=6",
         "S:a?1|T:b?2|U:c?3|U:d?4|U:e?5|U:f?6", SAME},
        {"CrFileWritten", "[S]\ra=1\r[T]\rb=2\r", "S:a=9", "[S]\ra=9\r[T]\rb=2\r", true},
        {"NoFinalLineBreakKept", "[S]\r\na=1\r\n[T]\r\nb=2", "S:a=9", "[S]\r\na=9\r\n[T]\r\nb=2", true},
        {"UntouchedLinesKeepTheirBytes", untouched + "9\r\n", "S:a?1|T:z=8", untouched + "8\r\n", true},
        {"MissingFile", NO_FILE, "S:a?|S:a=1|S:b=2", "[S]\r\na=1\r\nb=2\r\n"},
        {"DeleteInMissingFile", NO_FILE, "S:a!|S:a?", NO_FILE},
        {"EmptyFile", "", "S:a=1", "[S]\r\na=1\r\n"},
        {"NoFinalLineBreakNewKey", "[S]\r\na=1", "S:b=2", "[S]\r\na=1\r\nb=2\r\n"},
        {"NoFinalLineBreakNewSection", "[S]\r\na=1", "T:b=2", "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"NewKeyAfterLastEntryNewSectionsAtTheEnd", "[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n", "S:d=4|U:e=5|V:f=6",
         "[S]\r\na=1\r\nb=2\r\nd=4\r\n[T]\r\nc=3\r\n[U]\r\ne=5\r\n[V]\r\nf=6\r\n"},
        {"DeleteKeysWithBlanksAndOtherCase", "[S]\r\n  a = 1\r\nb=2\r\n[T]\r\nc=3\r\n",
         "s:A!|S:a?|S:b?2|S:b!|T:missing!|S:b?", "[S]\r\n[T]\r\nc=3\r\n"},
        {"CutAt4095Characters",
         "[S]\r\nlong=" + x + std::string(905, 'x') + "\r\nexact=" + y + "\r\nover=" + z + "z\r\n",
         "S:long?" + x + "|S:exact?" + y + "|S:over?" + z, SAME},
        {"SameValueWritesNothing", "[S]\r\n a = 1 \r\n\r\n", "S:a=1", SAME},
        {"UnclosedBracketIsNoSection", "[D]\r\nk=4\r\n[E\r\nj=5\r\n", "D:j?5|E:j?|D:n=1",
         "[D]\r\nk=4\r\n[E\r\nj=5\r\nn=1\r\n"},
        {"TextBeforeFirstSectionKeptChangedLineLosesItsBlanks", "x=0\r\n[S]\r\n  a  =  1  \r\nb=2\r\n", "S:a=x",
         "x=0\r\n[S]\r\na=x\r\nb=2\r\n"},
        {"ValuesWrittenWithTheBytesOfTheCodePage", "[S]\r\nk=v=\xe9\r\n",
         "S:k?v=\xe9|S:j=x=y|S:j?x=y|S:b=\"quoted\"|S:b?quoted|S:c=|S:c?|S:d=\xc0\xff",
         "[S]\r\nk=v=\xe9\r\nj=x=y\r\nb=\"quoted\"\r\nc=\r\nd=\xc0\xff\r\n"},
    };
}

std::string systemRead(const std::string& section, const std::string& key, const std::string& path)
{
    char buffer[4096];
    return std::string(buffer,
                       GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str()));
}

enum class Source { Engine, System, Row };

// What the calls give, one line each (the text read, "ok" or "failed" for a change), then the file: through the
// engine, through the system, or as the row says they must.
std::vector<std::string> outcome(const Row& row, const std::string& path, Source source)
{
    Win32FileSystem files;
    ProfileFile profile(files, path);
    std::vector<std::string> out;
    std::istringstream calls(row.calls);
    for (std::string call; std::getline(calls, call, '|');) {
        const size_t colon = call.find(':'), kind = call.find_first_of("?=!", colon);
        const std::string section = call.substr(0, colon), key = call.substr(colon + 1, kind - colon - 1);
        const std::optional<std::string> value =
            call[kind] == '!' ? std::nullopt : std::optional(call.substr(kind + 1));
        const char* const text = value ? value->c_str() : nullptr;
        if (source == Source::Row)
            out.push_back(call[kind] == '?' ? *value : "ok");
        else if (call[kind] == '?')
            out.push_back(source == Source::System ? systemRead(section, key, path) : profile.read(section, key));
        else if (source == Source::System)
            out.push_back(WritePrivateProfileStringA(section.c_str(), key.c_str(), text, path.c_str()) ? "ok"
                                                                                                       : "failed");
        else
            out.push_back(profile.write(section, key, value) ? "ok" : "failed");
    }
    out.push_back(source != Source::Row ? readFileText(path) : row.expected == SAME ? row.initial : row.expected);
    return out;
}

// Every row of the table runs through GetPrivateProfileStringA/WritePrivateProfileStringA and through ProfileFile,
// and both must give the row's reads and file bytes.
TEST(SettingsEngine, GivesEachRowsResultsAsTheSystemDoes)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const std::string engine = folder.folder("engine") + "\\TIVRA.INI",
                          system = folder.folder("system") + "\\TIVRA.INI";
        for (const std::string& path : {engine, system})
            if (row.initial != NO_FILE)
                writeFileText(path, row.initial);
        const std::vector<std::string> expected = outcome(row, "", Source::Row);
        EXPECT_EQ(outcome(row, engine, Source::Engine), expected);
        if (!row.wineRewrites) {
            EXPECT_EQ(outcome(row, system, Source::System), expected);
        }
    }
}

// On UTF-16, odd blanks and loose brackets the engine reads and writes as the system, in the file's encoding;
// a file too deep for a temporary file beside it, or with a second name, is written in place.
TEST(SettingsEngine, ReadsAndWritesAsTheSystemDoesAndInPlaceWhereNothingCanBeReplaced)
{
    const std::string text = "\v[S]\f\r\n\x1a a \v=\f1\x1a\r\nb\r\n[x=2\r\n[T\r\nc=\xe9\r\n[U]\r\nc=4";
    TempFolder folder;
    Win32FileSystem files;
    for (const std::string& file : {text, unicodeFile(text), unicodeFile(text, true)}) {
        for (const char* written : {"a", "b", "c", "d"}) {
            const std::string engine = folder.file("e.ini"), system = folder.file("s.ini");
            writeFileText(engine, file);
            writeFileText(system, file);
            ProfileFile profile(files, engine);
            EXPECT_TRUE(profile.write("S", written, std::string("\xe0 new")) &&
                        WritePrivateProfileStringA("S", written, "\xe0 new", system.c_str()));
            for (const char* key : {"a", "b", "[x", "c", "d"}) {
                EXPECT_EQ(profile.read("S", key), systemRead("S", key, engine)) << written << " then " << key;
                EXPECT_EQ(systemRead("S", key, engine), systemRead("S", key, system)) << written << " then " << key;
            }
            EXPECT_EQ(readFileText(engine).substr(0, 2), file.substr(0, 2));  // still in its own encoding
        }
    }
    std::string deep = folder.path();
    while (deep.size() < MAX_PATH - 30)
        CreateDirectoryA((deep += "\\deeper-and-deeper").c_str(), nullptr);
    ASSERT_TRUE(CreateHardLinkA(folder.file("SHARED.INI").c_str(), folder.file("e.ini").c_str(), nullptr));
    for (const std::string& path : {deep + "\\TIVRA.INI", folder.file("e.ini")})
        EXPECT_TRUE(ProfileFile(files, path).write("S", "k", std::string("1"))) << path;
    EXPECT_EQ(readFileText(folder.file("SHARED.INI")), readFileText(folder.file("e.ini")));
}

TEST(SettingsEngine, KilledSavesLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 50, 1);
    EXPECT_TRUE(figures.kills == 50 && !figures.damaged && figures.newLists && !figures.staleAfterStart)
        << figures.firstDamage;
}

}  // namespace
