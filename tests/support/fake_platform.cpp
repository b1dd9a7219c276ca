#include "support/fake_platform.h"

#include <cstdio>

namespace {

const char* const DAY_NAMES = "SunMonTueWedThuFriSat";
const char* const MONTH_NAMES[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

}  // namespace

// The pictures the program formats, as the system's date and time functions do in an English locale.
std::string FakePlatform::formatDate(const LocalTime& t, const std::string& picture)
{
    if (t.month < 1 || t.month > 12 || t.dayOfWeek < 0 || t.dayOfWeek > 6)
        return std::string();  // rejected by the system
    char text[64];
    if (picture == "MMMM")
        return MONTH_NAMES[t.month - 1];
    if (picture == "H:mm:ss")
        std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
    else if (picture == "ddd dd.MM.yy")
        std::snprintf(text, sizeof text, "%.3s %02d.%02d.%02d", DAY_NAMES + 3 * t.dayOfWeek, t.day, t.month,
                      t.year % 100);
    else
        return "no such picture: " + picture;
    return text;
}

bool FakePlatform::writeSettings(const std::string& section, const std::vector<SettingChange>& changes)
{
    calls.push_back("writeSettings " + section + " " + std::to_string(changes.size()));
    return write(section, changes);
}

// One write of the settings file; a batch the file cannot hold is refused whole.
bool FakePlatform::write(const std::string& section, const std::vector<SettingChange>& changes)
{
    if (failSettingWrites || settingsUnreadable ||
        settings.apply(section, changes) == ProfileDocument::ChangeOutcome::Refused)
        return false;
    ++settingFileWrites;
    return true;
}

bool FakePlatform::readWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    calls.push_back("readWholeFile " + path);
    const auto it = files.find(path);
    if (it != files.end())
        bytes = it->second;
    return it != files.end();
}

ProcessHandle FakePlatform::launchProgram(const LaunchRequest& request)
{
    calls.push_back("launchProgram " + request.file + " | " + request.parameters + " | " + request.directory + " | " +
                    std::to_string(request.showCommand));
    if (!launchGivesProcess)
        return NO_PROCESS;
    exitCodes[m_nextProcess] = STILL_RUNNING_CODE;
    return m_nextProcess++;
}

bool FakePlatform::processExitCode(ProcessHandle process, std::uint32_t& code)
{
    const auto it = exitCodes.find(process);
    if (it != exitCodes.end())
        code = it->second;
    return it != exitCodes.end();
}
