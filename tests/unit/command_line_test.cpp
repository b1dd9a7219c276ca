// The command line of a launch: its program and parameter parts, each cut at 255 characters, and the window it asks
// for.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model/alarm_flags.h"
#include "scheduler/command_line.h"

TEST(CommandLineTest, ProgramIsTheFirstWordOrQuotedAtTheStartAndTheParametersTheRestOfTheLine)
{
    using Pair = std::pair<std::string, std::string>;
    const std::string p300(300, 'p'), p255(255, 'p');
    const std::pair<std::string, Pair> cases[] = {
        {"notepad.exe   my notes.txt", {"notepad.exe", "my notes.txt"}},
        {"  \t calc.exe   ", {"calc.exe", ""}},
        {" \t ", {"", ""}},
        {"run.exe first\nsecond", {"run.exe", "first"}},
        {p300 + " " + std::string(300, 'q'), {p255, std::string(255, 'q')}},
        {"\"C:\\Program Files\\x.exe\" -a b", {"C:\\Program Files\\x.exe", "-a b"}},
        {"  \"C:\\Program Files\\x.exe\"", {"C:\\Program Files\\x.exe", ""}},
        {"\"C:\\My Tools\\run.exe\"first\nsecond", {"C:\\My Tools\\run.exe", "first"}},
        {"\"C:\\no end.exe -a\nnext", {"C:\\no end.exe -a", "next"}},  // no closing quote: the line
        {"\"\" -a", {"", "-a"}},
        {"\"" + p300 + "\" q", {p255, "q"}},
        {"notepad.exe \"my notes.txt\"", {"notepad.exe", "\"my notes.txt\""}},  // not leading: as before
        {"C:\\Program Files\\x.exe", {"C:\\Program", "Files\\x.exe"}},
    };
    for (const auto& [text, expected] : cases) {
        const CommandParts parts = splitCommandLine(text);
        EXPECT_EQ(Pair(parts.program, parts.parameters), expected) << text;
    }
    // The window: normal and maximized are in the launches of AlarmActionsTest; minimized wins over maximized.
    EXPECT_EQ(showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED), SHOW_MINIMIZED);
}
