// A fresh folder under the system's temporary folder for one test, deleted
// with everything in it when the test ends.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH + 1];
        DWORD length = GetTempPathA(sizeof base, base);
        std::string root = length > 0 && length < sizeof base ? std::string(base, length) : std::string(".\\");
        if (root.back() != '\\') root += '\\';
        for (int attempt = 0; attempt < 1000 && m_path.empty(); ++attempt) {
            std::string candidate = root + "qv-test-" + std::to_string(GetCurrentProcessId()) + '-' +
                                    std::to_string(s_created++);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) {
                m_path = candidate;
            } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
                break;
            }
        }
    }
    ~TempFolder() {
        if (!m_path.empty()) removeTree(m_path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // False when no folder could be made.
    bool valid() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    // The path of an entry of the folder.
    std::string file(const std::string& name) const { return m_path + '\\' + name; }
    // Makes a sub-folder and gives its path.
    std::string folder(const std::string& name) const {
        std::string path = file(name);
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }

private:
    static void removeTree(const std::string& path) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                std::string entry = path + '\\' + name;
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    removeTree(entry);
                } else {
                    SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(entry.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }

    inline static unsigned long s_created = 0;
    std::string m_path;
};
