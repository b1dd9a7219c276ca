// The command line of a launch: its program and parameter parts, and the window it asks for.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model/alarm_flags.h"
#include "scheduler/command_line.h"

TEST(SplitCommandLineTest, ProgramAndParametersEachCutAt255)
{
    using Pair = std::pair<std::string, std::string>;
    const std::pair<std::string, Pair> cases[] = {
        {"notepad.exe   my notes.txt", {"notepad.exe", "my notes.txt"}},
        {"  \t calc.exe   ", {"calc.exe", ""}},
        {" \t ", {"", ""}},
        {"\"C:\\Program Files\\x.exe\" -a", {"\"C:\\Program", "Files\\x.exe\" -a"}},
        {"run.exe first\nsecond", {"run.exe", "first"}},
        {std::string(300, 'p') + " " + std::string(300, 'q'), {std::string(255, 'p'), std::string(255, 'q')}},
    };
    for (const auto& [text, expected] : cases) {
        const CommandParts parts = splitCommandLine(text);
        EXPECT_EQ(Pair(parts.program, parts.parameters), expected) << text;
    }
    // The window: normal and maximized are in the launches of AlarmActionsTest; minimized wins over maximized.
    EXPECT_EQ(showCommandFor(ALARM_WINDOW_MINIMIZED | ALARM_WINDOW_MAXIMIZED), SHOW_MINIMIZED);
}
