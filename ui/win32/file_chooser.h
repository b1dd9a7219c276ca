// The open-file dialog for a browse button.
#pragma once

#include <optional>
#include <string>

#include "ui/file_choice.h"

// The chosen file's full path in the system code page; none when cancelled.
std::optional<std::string> chooseFile(const FileChoice& choice);
