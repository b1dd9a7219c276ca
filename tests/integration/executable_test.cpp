// The shipped program file: a 32-bit Windows GUI executable that needs no
// DLL beyond those of the system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

template <typename T>
bool readAt(const std::vector<unsigned char>& bytes, size_t offset, T& value)
{
    if (offset + sizeof(T) > bytes.size())
        return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

// The file offset of a relative virtual address, through the section table.
bool fileOffset(const std::vector<unsigned char>& bytes, const IMAGE_NT_HEADERS32& headers, size_t sectionsAt,
                DWORD rva, size_t& offset)
{
    for (WORD i = 0; i < headers.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!readAt(bytes, sectionsAt + i * sizeof section, section))
            return false;
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize) {
            offset = rva - section.VirtualAddress + section.PointerToRawData;
            return true;
        }
    }
    return false;
}

TEST(ShippedProgram, IsA32BitGuiExecutableThatNeedsOnlySystemDlls)
{
    const char* path = std::getenv("QUORVEL_EXE32");
    if (path == nullptr)
        GTEST_SKIP() << "QUORVEL_EXE32 names the 32-bit build to check";
    const std::vector<unsigned char> bytes = readAll(path);
    IMAGE_DOS_HEADER dos;
    ASSERT_TRUE(readAt(bytes, 0, dos)) << path;
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    IMAGE_NT_HEADERS32 headers;
    ASSERT_TRUE(readAt(bytes, static_cast<size_t>(dos.e_lfanew), headers));
    ASSERT_EQ(headers.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(headers.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(headers.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(headers.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    const size_t sectionsAt = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                              headers.FileHeader.SizeOfOptionalHeader;
    const IMAGE_DATA_DIRECTORY imports = headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    size_t at = 0;
    ASSERT_TRUE(fileOffset(bytes, headers, sectionsAt, imports.VirtualAddress, at));
    const std::set<std::string> system = {"kernel32.dll", "user32.dll",  "gdi32.dll",    "comctl32.dll",
                                          "comdlg32.dll", "shell32.dll", "winmm.dll",    "advapi32.dll",
                                          "msvcrt.dll",   "ole32.dll",   "shlwapi.dll"};
    std::vector<std::string> dlls;
    for (IMAGE_IMPORT_DESCRIPTOR entry; readAt(bytes, at, entry) && entry.Name != 0; at += sizeof entry) {
        size_t nameAt = 0;
        ASSERT_TRUE(fileOffset(bytes, headers, sectionsAt, entry.Name, nameAt));
        std::string name(reinterpret_cast<const char*>(bytes.data() + nameAt));
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(tolower(c)); });
        dlls.push_back(name);
    }
    ASSERT_FALSE(dlls.empty());
    for (const std::string& dll : dlls)
        EXPECT_TRUE(system.count(dll) != 0 || dll.rfind("api-ms-win-", 0) == 0) << dll << " is not a system DLL";
}

}  // namespace
