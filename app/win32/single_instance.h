// Keeps a second copy of the program from running on the same settings
// file: two copies would fire every alarm twice and overwrite each other's
// saves. The second copy brings the first one's main window up instead.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class SingleInstance {
public:
    // One kernel object for each of the settings file's instance names.
    explicit SingleInstance(const std::vector<std::string>& instanceNames);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy already runs on the same settings file.
    bool anotherCopyRuns() const { return m_anotherCopy; }
    // Asks the other copy's main window (marked with one of the names) to
    // show itself; it is looked for for a few seconds, since that copy may
    // still be starting. True when found.
    bool activateOtherCopy(UINT showMessage) const;

private:
    std::vector<std::string> m_names;
    std::vector<HANDLE> m_mutexes;
    bool m_anotherCopy = false;
};
