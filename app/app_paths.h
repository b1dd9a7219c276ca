// Where the program keeps its files: all of them in the folder that was
// current when it started.
#pragma once

#include <string>
#include <vector>

extern const char* const SETTINGS_FILE_NAME;  // "TIVRA.INI"

struct AppPaths {
    std::string startFolder;   // no trailing backslash, except at a drive root
    std::string settingsFile;  // startFolder\TIVRA.INI
};

namespace app_paths {

// The paths for a start folder as the system reports the current folder.
AppPaths fromCurrentDirectory(const std::string& currentDirectory);
// True when the settings file, and the temporary file a save writes beside
// it, fit the system's file calls (259 characters).
bool fitsFileCalls(const AppPaths& paths);
// folder + "\" + name, without doubling a backslash the folder ends with.
std::string join(const std::string& folder, const std::string& name);
// A name that is the same for every copy of the program using the same
// settings file (letter case and slashes do not matter), and different for
// other files: copies sharing a file must not run side by side.
std::string instanceName(const std::string& settingsFile);
// The instance names of one settings file, each naming it however its path
// is spelled: those of the file's own identities once the file exists (none
// when not), and those of its folder's identities with the file's name,
// which a copy started before the file existed holds. The path as spelled
// stands in when the system gives no identity at all. No name twice.
std::vector<std::string> instanceNames(const AppPaths& paths, const std::vector<std::string>& fileIdentities,
                                       const std::vector<std::string>& folderIdentities);

}  // namespace app_paths
