// The settings engine against the system's own profile functions, and its saves killed midway.
#include <gtest/gtest.h>

#include <optional>

#include "integration/harness.h"
#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "soak/crash_run.h"

namespace {

// What the system reads for "section:key".
std::string systemRead(const std::string& key, const std::string& path)
{
    const std::size_t colon = key.find(':');
    char buffer[4096];
    return std::string(buffer,
                       GetPrivateProfileStringA(key.substr(0, colon).c_str(), key.substr(colon + 1).c_str(), "", buffer,
                                                sizeof buffer, path.c_str()));
}

// What each read gives is ProfileDocument's unit test; here the system's functions must give the same. On files of
// odd blanks, loose brackets, quotes, comments, duplicates, every line end and values past the reader's limit, as they
// are and saved as UTF-16 either way round, after each write (a change, a new key, a delete, in a new section too)
// the engine reads what the system reads in its own file and in the engine's, which keeps its encoding (the system
// rewrites every line; the engine keeps those it does not change: ProfileDocument's unit test). A file too deep for a
// temporary file beside it, or with a second name, is written in place.
TEST(SettingsEngine, ReadsAndWritesAsTheSystemDoesAndInPlaceWhereNothingCanBeReplaced)
{
    const std::string texts[] = {
        "\v[S]\f\r\n\x1a a \v=\f1\x1a\r\nb\r\n[x=2\r\n[T\r\nc=\xe9\r\n[U]\r\nc=4",
        "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"mixed'\r\nq4=\"open\r\nq5=\"\"\r\nq6= \" inner \" \r\n"
        "q7=\"a\"b\"\r\n;c=comment\r\nnoeq\r\n  KEY one  =  v=\xe9 \t\r\n"
        "key ONE=dup\r\n[s]\r\nj=5\r\n[T]\ra=cr\nb=lf\n\rd=x",
        "[S]\r\nlong=" + std::string(5000, 'x') + "\r\nexact=" + std::string(4095, 'y') +
            "\r\nover=" + std::string(4096, 'z') + "\r\n",
        ""};
    const char* keys[] = {"S:a",         "S:b",    "S:[x",   "S:c",     "S:d",  "U:c",  "T:c",   "S:q1",
                          "S:q2",        "S:q3",   "S:q4",   "S:q5",    "S:q6", "S:q7", "S:j",   "T:a",
                          " s :Key One", "S:noeq", "S:long", "S:exact", "T:b",  "T:d",  "V:new", "S:over"};
    const std::pair<const char*, std::optional<std::string>> writes[] = {{"S:a", "\xe0 new"},    {"S:key one", "\"x\""},
                                                                         {"S:q4", std::nullopt}, {"T:b", std::nullopt},
                                                                         {"S:new", "x=y"},       {"V:new", "n"}};
    TempFolder folder;
    Win32FileSystem files;
    const std::string engine = folder.file("e.ini"), system = folder.file("s.ini");
    for (const std::string& text : texts)
        for (const std::string& file : {text, unicodeFile(text), unicodeFile(text, true)}) {
            writeFileText(engine, file);
            writeFileText(system, file);
            ProfileFile profile(files, engine);
            for (const auto& [key, value] : writes) {
                const std::string section = std::string(key).substr(0, 1), name = std::string(key).substr(2);
                EXPECT_TRUE(profile.write(section, name, value) &&
                            WritePrivateProfileStringA(section.c_str(), name.c_str(), value ? value->c_str() : nullptr,
                                                       system.c_str()));
                for (const std::string read : keys) {
                    const std::size_t colon = read.find(':');
                    EXPECT_EQ(profile.read(read.substr(0, colon), read.substr(colon + 1)), systemRead(read, system))
                        << key << " then " << read;
                    EXPECT_EQ(systemRead(read, engine), systemRead(read, system)) << key << " then " << read;
                }
            }
            EXPECT_EQ(readFileText(engine).substr(0, 2), file.empty() ? "[S" : file.substr(0, 2));  // its encoding
        }
    std::string deep = folder.path();
    while (deep.size() < MAX_PATH - 30)
        CreateDirectoryA((deep += "\\deeper-and-deeper").c_str(), nullptr);
    ASSERT_TRUE(CreateHardLinkA(folder.file("SHARED.INI").c_str(), engine.c_str(), nullptr));
    for (const std::string& path : {deep + "\\TIVRA.INI", engine})
        EXPECT_TRUE(ProfileFile(files, path).write("S", "k", std::string("1"))) << path;
    EXPECT_EQ(readFileText(folder.file("SHARED.INI")), readFileText(engine));
}

TEST(SettingsEngine, KilledSavesLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 50, 1);
    EXPECT_TRUE(figures.kills == 50 && !figures.damaged && figures.newLists && !figures.staleAfterStart)
        << figures.firstDamage;
}

}  // namespace
