// The settings engine against the system's own profile functions, and its saves killed midway.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "integration/harness.h"
#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "soak/crash_run.h"

namespace {

const std::string NO_FILE = "<missing>";

// A file at the start, then calls separated by '|': "section:key" reads, "section:key=value" writes, "section:key!"
// deletes. What each must give is ProfileDocument's unit test; here the system's functions must give the same.
const std::pair<std::string, std::string> ROWS[] = {
    {"[Options]\r\n  key one  =  value 1 \t\r\n\tTab\t=\tx\t\r\n",
     "Options:key one| options :KEY ONE|OPTIONS:tab|Options:key"},
    {"[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\n"
     "q6= \" inner \" \r\nq7=\"a\"b\"\r\n",
     "S:q1|S:q2|S:q3|S:q4|S:q5|S:q6|S:q7"},
    {"[S]\r\n;c=comment\r\nnoeq\r\na=1\r\n;end\r\n[T]\r\n", "S:c|S:noeq|S:a|S:b=2"},
    {"[S]\r\nk=1\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\nj=5\r\n", "S:k|S:j|T:k|S:j=6|s:j"},
    {"[sEc]\r\nKey=1\r\nkey=2\r\n", "SEC:key|Sec:KEY=9|sec:key"},
    {"[S]\ra=1\r[T]\nb=2\n\n[U]\r\nc=3\rd=4\ne=5\n\rf=6", "S:a|T:b|U:c|U:d|U:e|U:f"},
    {NO_FILE, "S:a|S:a=1|S:b=2"},
    {NO_FILE, "S:a!|S:a"},
    {"", "S:a=1"},
    {"[S]\r\na=1", "S:b=2"},
    {"[S]\r\na=1", "T:b=2"},
    {"[S]\r\na=1\r\nb=2\r\n[T]\r\nc=3\r\n", "S:d=4|U:e=5|V:f=6"},
    {"[S]\r\n  a = 1\r\nb=2\r\n[T]\r\nc=3\r\n", "s:A!|S:a|S:b|S:b!|T:missing!|S:b"},
    {"[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
         "\r\nover=" + std::string(4096, 'z') + "\r\n",
     "S:long|S:exact|S:over"},
    {"[S]\r\n a = 1 \r\n\r\n", "S:a=1"},
    {"[D]\r\nk=4\r\n[E\r\nj=5\r\n", "D:j|E:j|D:n=1"},
    {"x=0\r\n[S]\r\n  a  =  1  \r\nb=2\r\n", "S:a=x"},
    {"[S]\r\nk=v=\xe9\r\n", "S:k|S:j=x=y|S:j|S:b=\"quoted\"|S:b|S:c=|S:c|S:d=\xc0\xff"},
};

std::string systemRead(const std::string& section, const std::string& key, const std::string& path)
{
    char buffer[4096];
    return std::string(buffer,
                       GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str()));
}

// What the calls give, one line each (the text read, "ok" or "failed" for a change), then the file.
std::vector<std::string> outcome(const std::string& calls, const std::string& path, bool bySystem)
{
    Win32FileSystem files;
    ProfileFile profile(files, path);
    std::vector<std::string> out;
    std::istringstream in(calls);
    for (std::string call; std::getline(in, call, '|');) {
        const size_t colon = call.find(':'), kind = call.find_first_of("=!", colon);
        const std::string section = call.substr(0, colon), key = call.substr(colon + 1, kind - colon - 1);
        const std::optional<std::string> value =
            kind == std::string::npos || call[kind] == '!' ? std::nullopt : std::optional(call.substr(kind + 1));
        if (kind == std::string::npos)
            out.push_back(bySystem ? systemRead(section, key, path) : profile.read(section, key));
        else if (bySystem)
            out.push_back(
                WritePrivateProfileStringA(section.c_str(), key.c_str(), value ? value->c_str() : nullptr, path.c_str())
                    ? "ok"
                    : "failed");
        else
            out.push_back(profile.write(section, key, value) ? "ok" : "failed");
    }
    out.push_back(readFileText(path));
    return out;
}

TEST(SettingsEngine, GivesEachRowsResultsAsTheSystemDoes)
{
    for (const auto& [initial, calls] : ROWS) {
        SCOPED_TRACE(calls);
        TempFolder folder;
        const std::string engine = folder.folder("engine") + "\\TIVRA.INI",
                          system = folder.folder("system") + "\\TIVRA.INI";
        for (const std::string& path : {engine, system})
            if (initial != NO_FILE)
                writeFileText(path, initial);
        EXPECT_EQ(outcome(calls, engine, false), outcome(calls, system, true));
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
