// What tells a file or folder apart from every other, however its path is
// spelled: another drive letter, a substituted drive, a link or a short 8.3
// name all lead to the same identity.
#pragma once

#include <string>
#include <vector>

namespace file_identity {

// The identities of an existing file or folder: the final path the system
// resolves it to (where it can: from Windows Vista on), and its volume's
// serial number with its index on the volume (which also sees through
// links a system leaves unresolved in the final path). None when it cannot
// be opened.
std::vector<std::string> of(const std::string& path);

}  // namespace file_identity
