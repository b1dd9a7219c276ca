#include "app/app_paths.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/ascii.h"

const char* const SETTINGS_FILE_NAME = "TIVRA.INI";

namespace app_paths {

namespace {

bool isSlash(char c)
{
    return c == '\\' || c == '/';
}

// "C:\" keeps its backslash; any other folder loses a trailing one.
std::string withoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && isSlash(folder.back()) && !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    return folder;
}

}  // namespace

std::string join(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && isSlash(folder.back()))
        return folder + name;
    return folder + "\\" + name;
}

AppPaths fromCurrentDirectory(const std::string& currentDirectory)
{
    AppPaths paths;
    paths.startFolder = withoutTrailingSlash(currentDirectory);
    paths.settingsFile = join(paths.startFolder, SETTINGS_FILE_NAME);
    return paths;
}

bool fitsFileCalls(const AppPaths& paths)
{
    // "TIVRA.INI.~qv<process>-<number>.tmp": up to 29 characters more.
    const std::size_t longestPath = 259;
    const std::size_t temporarySuffix = 29;
    return !paths.startFolder.empty() && paths.settingsFile.size() + temporarySuffix <= longestPath;
}

std::string instanceName(const std::string& settingsFile)
{
    // FNV-1a over the path with case and slash differences folded away.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : settingsFile) {
        unsigned char folded = static_cast<unsigned char>(c == '/' ? '\\' : ascii::toLower(c));
        hash ^= folded;
        hash *= 1099511628211ull;
    }
    char name[48];
    std::snprintf(name, sizeof name, "Quorvel-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

std::vector<std::string> instanceNames(const AppPaths& paths, const std::vector<std::string>& fileIdentities,
                                       const std::vector<std::string>& folderIdentities)
{
    std::vector<std::string> names;
    const auto add = [&](const std::string& identity) {
        const std::string name = instanceName(identity);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const std::string& identity : fileIdentities)
        add(identity);
    for (const std::string& identity : folderIdentities)
        add(join(identity, SETTINGS_FILE_NAME));
    if (names.empty())
        add(paths.settingsFile);
    return names;
}

}  // namespace app_paths
