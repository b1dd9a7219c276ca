// Keeps a second copy of the program from running on the same settings
// file: two copies would fire every alarm twice and overwrite each other's
// saves. The second copy brings the first one's main window up instead.
#pragma once

#include <windows.h>

#include <string>

class SingleInstance {
public:
    explicit SingleInstance(const std::string& instanceName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy already runs on the same settings file.
    bool anotherCopyRuns() const { return m_anotherCopy; }
    // Asks the other copy's main window to show itself; it is looked for for
    // a few seconds, since that copy may still be starting. True when found.
    bool activateOtherCopy(UINT showMessage) const;

private:
    std::string m_name;
    HANDLE m_mutex = nullptr;
    bool m_anotherCopy = false;
};
