// The settings engine against the system's profile functions on files saved
// as UTF-16 and on the blanks and brackets the system reads its own way; and
// files that cannot be replaced by another one, which are written in place.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "quorvel_process.h"
#include "temp_folder.h"

namespace {

std::string systemRead(const std::string& key, const std::string& path)
{
    char buffer[4096];
    return std::string(buffer, GetPrivateProfileStringA("S", key.c_str(), "", buffer, sizeof buffer, path.c_str()));
}

// ASCII and ISO 8859-1 text as UTF-16 with its byte-order mark.
std::string unicode(const std::string& text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

}  // namespace

TEST(SettingsEngine, EngineReadsAndWritesAsTheSystemDoes)
{
    const std::string text = "\v[S]\f\r\n\x1a a \v=\f1\x1a\r\nb\r\n[x=2\r\n[T\r\nc=\xe9\r\n[U]\r\nc=4";
    for (const std::string& file : {text, unicode(text, false), unicode(text, true)}) {
        for (const std::string written : {"a", "b", "c", "d"}) {
            TempFolder folder;
            const std::string engine = folder.file("engine.ini"), system = folder.file("system.ini");
            writeFileText(engine, file);
            writeFileText(system, file);
            Win32FileSystem files;
            ProfileFile profile(files, engine);
            for (const std::string key : {"a", "b", "[x", "c", "d"})
                EXPECT_EQ(profile.read("S", key), systemRead(key, system));
            EXPECT_TRUE(profile.write("S", written, std::string("\xe0 new")));
            EXPECT_TRUE(WritePrivateProfileStringA("S", written.c_str(), "\xe0 new", system.c_str()));
            for (const std::string key : {"a", "b", "[x", "c", "d"})
                EXPECT_EQ(systemRead(key, engine), systemRead(key, system)) << written << " then " << key;
            const std::string after = readFileText(engine);  // still in the file's own encoding
            EXPECT_TRUE(after.substr(0, 2) == file.substr(0, 2) && (file == text || after.size() % 2 == 0));
        }
    }
}

// A folder so deep that no temporary file name fits beside TIVRA.INI, and a
// file with a second name: both are written where they are.
TEST(SettingsEngine, FileThatCannotBeReplacedIsWrittenInPlace)
{
    TempFolder folder;
    std::string deep = folder.path();
    while (deep.size() < MAX_PATH - 30)
        CreateDirectoryA((deep += "\\deeper-and-deeper").c_str(), nullptr);
    writeFileText(folder.file("TIVRA.INI"), "[S]\r\nk=0\r\n");
    ASSERT_TRUE(CreateHardLinkA(folder.file("SHARED.INI").c_str(), folder.file("TIVRA.INI").c_str(), nullptr));
    Win32FileSystem files;
    for (const std::string& path : {deep + "\\TIVRA.INI", folder.file("TIVRA.INI")}) {
        EXPECT_TRUE(ProfileFile(files, path).write("S", "k", std::string("1"))) << path;
        EXPECT_EQ(readFileText(path), "[S]\r\nk=1\r\n");
    }
    EXPECT_EQ(readFileText(folder.file("SHARED.INI")), "[S]\r\nk=1\r\n");
}
