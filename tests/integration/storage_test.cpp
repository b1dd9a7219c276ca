// The settings file as stored: by the engine beside the system, by the real program, and by saves killed midway.
#include <gtest/gtest.h>

#include "harness.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/unicode_text.h"
#include "platform/win32/win32_file_system.h"
#include "soak/crash_run.h"

static std::string wide(const std::string& text, bool bigEndian = false)
{
    const TextEncoding encoding = bigEndian ? TextEncoding::Utf16BigEndian : TextEncoding::Utf16LittleEndian;
    return unicode_text::bytesOf(CodePage::latin1().toUtf16(text), encoding);
}

// On UTF-16, odd blanks and loose brackets the engine reads and writes as the system, in the file's encoding;
// a file too deep for a temporary file beside it, or with a second name, is written in place.
TEST(SettingsEngine, ReadsAndWritesAsTheSystemDoesAndInPlaceWhereNothingCanBeReplaced)
{
    const auto systemRead = [](const char* key, const std::string& path) {
        char buffer[4096];
        return std::string(buffer, GetPrivateProfileStringA("S", key, "", buffer, sizeof buffer, path.c_str()));
    };
    const std::string text = "\v[S]\f\r\n\x1a a \v=\f1\x1a\r\nb\r\n[x=2\r\n[T\r\nc=\xe9\r\n[U]\r\nc=4";
    TempFolder folder;
    Win32FileSystem files;
    for (const std::string& file : {text, "\xFF\xFE" + wide(text), "\xFE\xFF" + wide(text, true)}) {
        for (const char* written : {"a", "b", "c", "d"}) {
            const std::string engine = folder.file("e.ini"), system = folder.file("s.ini");
            writeFileText(engine, file);
            writeFileText(system, file);
            ProfileFile profile(files, engine);
            EXPECT_TRUE(profile.write("S", written, std::string("\xe0 new")) &&
                        WritePrivateProfileStringA("S", written, "\xe0 new", system.c_str()));
            for (const char* key : {"a", "b", "[x", "c", "d"}) {
                EXPECT_EQ(profile.read("S", key), systemRead(key, engine)) << written << " then " << key;
                EXPECT_EQ(systemRead(key, engine), systemRead(key, system)) << written << " then " << key;
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

// A UTF-16 TIVRA.INI through a (Unix) symbolic link: 2039 and 1960 neither ring nor change, the link stays.
TEST(StoredFile, UnicodeLinkedFileStaysWhatItIsAndDatesWithoutAnInstantNeverRing)
{
    TempFolder folder;
    const std::string real = folder.folder("real") + "\\TIVRA.INI", span = NO_SPAN;
    const std::string head = "\xFF\xFE" +
        wide("[AlarmList]\r\n0=2039:05:01-08:00:00,-1,1,6, 1:00:00:00,0:00:00:00,,,,a\r\n"
             "1=1960:05:01-08:00:00,-1,1,2, 0:00:00:00,0:00:00:00,,,,b\r\n");
    writeFileText(real, head + wide("2=" + storedAlarm(storedTime(secondsNow() + 2), "-1,1,2", "due") + "\r\n"));
    char link[] = "/bin/ln -s real/TIVRA.INI TIVRA.INI";
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION ln = {};
    ASSERT_TRUE(CreateProcessA(nullptr, link, nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(), &si, &ln));
    WaitForSingleObject(ln.hProcess, 10000);
    QuorvelProcess program(folder.path());
    ASSERT_NE(program.main(), nullptr);
    EXPECT_EQ(program.rows().size(), 3u);
    const std::string fired = wide(",-1,0,2, " + span + "," + span + ",,,,due\r\n");  // rang, and is idle now
    EXPECT_TRUE(waitUntil([&] { return readFileText(real).find(fired) != std::string::npos; }, 15000));
    EXPECT_EQ(readFileText(real).substr(0, head.size()), head);
}

TEST(CrashSafety, KilledSavesLeaveTheOldOrTheNewListAndNoStaleTemporaries)
{
    TempFolder folder;
    const CrashFigures figures = runCrashKills(folder.path(), 50, 1);
    EXPECT_TRUE(figures.kills == 50 && !figures.damaged && figures.newLists && !figures.staleAfterStart)
        << figures.firstDamage;
}
