// How a command line is split into the program and its parameters.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "scheduler/program_control.h"

TEST(CommandLineTest, ALeadingQuoteNamesTheProgramUpToTheClosingQuote)
{
    using Pair = std::pair<std::string, std::string>;
    const std::pair<std::string, Pair> cases[] = {
        {"\"C:\\Program Files\\x.exe\" -a b", {"C:\\Program Files\\x.exe", "-a b"}},
        {"  \"C:\\Program Files\\x.exe\"", {"C:\\Program Files\\x.exe", ""}},
        {"\"C:\\My Tools\\run.exe\"first\nsecond", {"C:\\My Tools\\run.exe", "first"}},
        {"\"C:\\no end.exe -a\nnext", {"C:\\no end.exe -a", "next"}},  // no closing quote: the line
        {"\"\" -a", {"", "-a"}},
        {"\"" + std::string(300, 'p') + "\" q", {std::string(255, 'p'), "q"}},
        {"notepad.exe \"my notes.txt\"", {"notepad.exe", "\"my notes.txt\""}},  // not leading: as before
        {"C:\\Program Files\\x.exe", {"C:\\Program", "Files\\x.exe"}},
    };
    for (const auto& [text, expected] : cases) {
        const ProgramControl::CommandParts parts = ProgramControl::splitCommandLine(text);
        EXPECT_EQ(Pair(parts.program, parts.parameters), expected) << text;
    }
}
