// How an alarm's command line becomes a launch: the program and its
// parameters, and the show command of the first window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The longest program part and parameter part of a command line.
constexpr std::size_t COMMAND_PART_LIMIT = 255;

struct CommandParts {
    std::string program;
    std::string parameters;
};

// The program part (first run of non-blank characters, or the text between
// a leading quote and the next) and the parameter part (the rest of the first
// line after the blanks), each cut to COMMAND_PART_LIMIT characters. Quotes
// elsewhere have no meaning.
CommandParts splitCommandLine(const std::string& text);
// The window the alarm's flags ask for; minimized wins over maximized.
int showCommandFor(std::uint32_t flags);
