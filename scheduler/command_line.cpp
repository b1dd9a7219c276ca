#include "scheduler/command_line.h"

#include <algorithm>

#include "model/alarm_flags.h"
#include "platform/ascii.h"
#include "platform/types.h"

namespace {

// A program named in quotes, as the browse button stores a path with
// blanks: "C:\Program Files\x.exe" -a. From the opening quote at i, takes
// the text up to the closing quote (or the end of the line when there is
// none) and moves i past it; false, with nothing taken, for a line whose
// program is not quoted.
bool takeQuotedProgram(const std::string& line, std::size_t& i, std::string& program)
{
    if (i >= line.size() || line[i] != '"')
        return false;
    const std::size_t lineEnd = std::min(line.find('\n', i), line.size());
    const std::size_t close = std::min(line.find('"', i + 1), lineEnd);
    program = line.substr(i + 1, close - i - 1);
    i = std::min(close + 1, line.size());
    return true;
}

}  // namespace

CommandParts splitCommandLine(const std::string& text)
{
    // As "%s %[^\n]" scans it, with each part cut at its limit: the rest of
    // an over-long program word is dropped rather than taken for parameters.
    CommandParts parts;
    const std::string line = text.substr(0, text.find('\0'));
    std::size_t i = 0;
    while (i < line.size() && ascii::isSpace(line[i]))
        ++i;
    if (takeQuotedProgram(line, i, parts.program)) {
        parts.program.resize(std::min(parts.program.size(), COMMAND_PART_LIMIT));
    } else {
        const std::size_t programStart = i;
        while (i < line.size() && !ascii::isSpace(line[i]))
            ++i;
        parts.program = line.substr(programStart, std::min(i - programStart, COMMAND_PART_LIMIT));
    }
    while (i < line.size() && ascii::isSpace(line[i]))
        ++i;
    const std::size_t end = line.find('\n', i);
    const std::size_t length = (end == std::string::npos ? line.size() : end) - i;
    parts.parameters = line.substr(i, std::min(length, COMMAND_PART_LIMIT));
    return parts;
}

int showCommandFor(std::uint32_t flags)
{
    if ((flags & ALARM_WINDOW_MINIMIZED) != 0)
        return SHOW_MINIMIZED;
    if ((flags & ALARM_WINDOW_MAXIMIZED) != 0)
        return SHOW_MAXIMIZED;
    return SHOW_DEFAULT;
}
