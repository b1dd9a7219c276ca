#include "support/fake_platform.h"

#include <algorithm>

#include "platform/profile/unicode_text.h"

namespace {

const char* const DAY_NAMES = "SunMonTueWedThuFriSat";
const char* const MONTH_NAMES[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

}  // namespace

// The pictures the program formats ("ddd dd.MM.yy", "H:mm:ss", "MMMM") as the
// system's date and time functions do in an English locale: each run of one
// letter is a field, "d" and "dd" (and so on) a number of at least that many
// digits, "ddd" the short day name, "MMMM" the month's name.
std::string FakePlatform::formatDate(const LocalTime& t, const std::string& picture)
{
    if (t.month < 1 || t.month > 12 || t.dayOfWeek < 0 || t.dayOfWeek > 6)
        return std::string();  // rejected by the system
    const std::string letters = "dMyHms";
    const int numbers[] = {t.day, t.month, t.year % 100, t.hour, t.minute, t.second};
    std::string out;
    for (std::size_t i = 0, end = 0; i < picture.size(); i = end) {
        end = std::min(picture.find_first_not_of(picture[i], i), picture.size());
        const std::string field = picture.substr(i, end - i);
        const std::size_t letter = letters.find(field[0]);
        if (field == "ddd") {
            out += std::string(DAY_NAMES + 3 * t.dayOfWeek, 3);
        } else if (field == "MMMM") {
            out += MONTH_NAMES[t.month - 1];
        } else if (letter == std::string::npos) {
            out += field;
        } else {
            const std::string number = std::to_string(numbers[letter]);
            out += std::string(field.size() > number.size() ? field.size() - number.size() : 0, '0') + number;
        }
    }
    return out;
}

std::string FakePlatform::readSetting(const std::string& section, const std::string& key)
{
    return settingsUnreadable ? std::string() : settings.value(section, key).value_or(std::string());
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

bool FakePlatform::readTextFile(const std::string& path, std::string& text)
{
    std::vector<unsigned char> bytes;
    if (!readWholeFile(path, bytes))
        return false;
    text = unicode_text::textOf(std::string(bytes.begin(), bytes.end()), CodePage::latin1());
    return true;
}

bool FakePlatform::cursorPosition(ScreenPoint& p)
{
    if (cursorAvailable)
        p = cursor;
    return cursorAvailable;
}

void FakePlatform::playSoundFile(const std::string& path, bool synchronous)
{
    calls.push_back("playSoundFile " + path + (synchronous ? " sync" : " async"));
}

void FakePlatform::playSoundMemory(const std::vector<unsigned char>& wave)
{
    calls.push_back("playSoundMemory " + std::string(wave.begin(), wave.end()));
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

void FakePlatform::showMessage(const std::string& text, const std::string& detail)
{
    messages.push_back(text + detail);
}
