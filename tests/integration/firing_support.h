// Alarms for the tests that let the real program fire them: stored lines
// at a given distance from now, in the program's local time.
#pragma once

#include <string>

// "%Y:%m:%d-%H:%M:%S" of now + offset seconds, in local time.
std::string storedLocalTime(int offsetSeconds);
// A whole stored value: time, count, state, flags, the two spans and the texts.
std::string storedAlarm(int offsetSeconds, int count, int state, unsigned flags, const std::string& repeat,
                        const std::string& closeAfter, const std::string& commandLine,
                        const std::string& workingFolder, const std::string& message);
// The value of a key of a profile file text, or "<none>".
std::string iniValue(const std::string& text, const std::string& key);
