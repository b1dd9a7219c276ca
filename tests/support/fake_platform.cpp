#include "support/fake_platform.h"

#include <algorithm>
#include <cstdio>

#include "platform/ascii.h"
#include "platform/profile/profile_document.h"
#include "platform/profile/unicode_text.h"
#include "support/fake_zone.h"

namespace {

const char* const DAY_NAMES[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const MONTH_NAMES[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

std::string number(int value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

// Formats a date or time picture of the system locale (English names) the
// way the system's date and time text functions read their pictures.
std::string formatPicture(const LocalTime& t, const std::string& picture)
{
    std::string out;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            size_t j = i + 1;
            while (j < picture.size() && picture[j] != '\'')
                out += picture[j++];
            i = j + 1;
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        switch (c) {
        case 'd':
            if (run == 1)
                out += number(t.day, 1);
            else if (run == 2)
                out += number(t.day, 2);
            else if (run == 3)
                out += std::string(DAY_NAMES[t.dayOfWeek]).substr(0, 3);
            else
                out += DAY_NAMES[t.dayOfWeek];
            break;
        case 'M':
            if (run <= 2)
                out += number(t.month, static_cast<int>(run));
            else if (run == 3)
                out += std::string(MONTH_NAMES[t.month - 1]).substr(0, 3);
            else
                out += MONTH_NAMES[t.month - 1];
            break;
        case 'y':
            if (run <= 2)
                out += number(t.year % 100, static_cast<int>(run));
            else
                out += number(t.year, 4);
            break;
        case 'H':
            out += number(t.hour, run >= 2 ? 2 : 1);
            break;
        case 'h':
            out += number(t.hour % 12 == 0 ? 12 : t.hour % 12, run >= 2 ? 2 : 1);
            break;
        case 'm':
            out += number(t.minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            out += number(t.second, run >= 2 ? 2 : 1);
            break;
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    return out;
}

}  // namespace

FakePlatform::Section* FakePlatform::findSection(const std::string& name)
{
    for (auto& section : settings)
        if (ascii::equalsIgnoringCase(section.first, name))
            return &section.second;
    return nullptr;
}

void FakePlatform::putSetting(const std::string& section, const std::string& key, const std::string& value)
{
    applyChange(section, SettingChange{key, value});
}

void FakePlatform::applyChange(const std::string& sectionName, const SettingChange& change)
{
    Section* section = findSection(sectionName);
    if (section == nullptr) {
        if (!change.value)
            return;
        settings.emplace_back(sectionName, Section());
        section = &settings.back().second;
    }
    for (auto it = section->begin(); it != section->end(); ++it) {
        if (ascii::equalsIgnoringCase(it->first, change.key)) {
            if (change.value)
                it->second = *change.value;
            else
                section->erase(it);
            return;
        }
    }
    if (change.value)
        section->emplace_back(change.key, *change.value);
}

std::string FakePlatform::settingsText() const
{
    std::string text;
    for (const auto& section : settings) {
        text += "[" + section.first + "]\r\n";
        for (const auto& entry : section.second)
            text += entry.first + "=" + entry.second + "\r\n";
    }
    return text;
}

std::string FakePlatform::readSetting(const std::string& section, const std::string& key)
{
    calls.push_back("readSetting " + section + " " + key);
    Section* found = findSection(section);
    if (found == nullptr || settingsUnreadable)
        return std::string();
    for (const auto& entry : *found)
        if (ascii::equalsIgnoringCase(entry.first, key))
            return entry.second.substr(0, 4095);
    return std::string();
}

bool FakePlatform::writeSetting(const std::string& section, const std::string& key,
                                const std::optional<std::string>& value)
{
    calls.push_back("writeSetting " + section + " " + key + (value ? "=" + *value : " (delete)"));
    if (failSettingWrites || settingsUnreadable)
        return false;
    applyChange(section, SettingChange{key, value});
    ++settingFileWrites;
    return true;
}

bool FakePlatform::writeSettings(const std::string& section, const std::vector<SettingChange>& changes)
{
    calls.push_back("writeSettings " + section + " " + std::to_string(changes.size()));
    // A batch the settings file would refuse is refused whole, as there.
    const auto refused = [](const SettingChange& change) {
        return !ProfileDocument::isWritableKey(change.key) ||
            (change.value && !ProfileDocument::isWritableValue(*change.value));
    };
    if (failSettingWrites || settingsUnreadable || !ProfileDocument::isWritableSection(section) ||
        std::any_of(changes.begin(), changes.end(), refused))
        return false;
    for (const auto& change : changes)
        applyChange(section, change);
    ++settingFileWrites;
    return true;
}

std::string FakePlatform::currentDirectory()
{
    return folder;
}

std::vector<FolderEntry> FakePlatform::listFolder(const std::string& pattern)
{
    calls.push_back("listFolder " + pattern);
    const auto it = folders.find(pattern);
    return it == folders.end() ? std::vector<FolderEntry>() : it->second;
}

bool FakePlatform::readWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    calls.push_back("readWholeFile " + path);
    const auto it = files.find(path);
    if (it == files.end())
        return false;
    bytes = it->second;
    return true;
}

bool FakePlatform::readTextFile(const std::string& path, std::string& text)
{
    calls.push_back("readTextFile " + path);
    const auto it = files.find(path);
    if (it == files.end())
        return false;
    text = unicode_text::textOf(std::string(it->second.begin(), it->second.end()), CodePage::latin1());
    return true;
}

Timestamp FakePlatform::now()
{
    return clock;
}

bool FakePlatform::toLocal(Timestamp t, LocalTime& out)
{
    return fake_zone::toLocal(t, out);
}

Timestamp FakePlatform::fromLocal(const LocalTime& fields)
{
    return fake_zone::fromLocal(fields);
}

std::string FakePlatform::formatDate(const LocalTime& t, const std::string& picture)
{
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.dayOfWeek < 0 || t.dayOfWeek > 6)
        return std::string();
    return formatPicture(t, picture);
}

std::string FakePlatform::formatTime(const LocalTime& t, const std::string& picture)
{
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
        return std::string();
    return formatPicture(t, picture);
}

bool FakePlatform::cursorPosition(ScreenPoint& p)
{
    if (!cursorAvailable)
        return false;
    p = cursor;
    return true;
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
    launches.push_back(request);
    if (!launchGivesProcess)
        return NO_PROCESS;
    const ProcessHandle handle = nextProcess++;
    exitCodes[handle] = STILL_RUNNING_CODE;
    return handle;
}

bool FakePlatform::processExitCode(ProcessHandle process, std::uint32_t& code)
{
    const auto it = exitCodes.find(process);
    if (it == exitCodes.end())
        return false;
    code = it->second;
    return true;
}

void FakePlatform::terminateProcess(ProcessHandle process)
{
    calls.push_back("terminateProcess " + std::to_string(process));
    terminated.push_back(process);
}

void FakePlatform::releaseProcess(ProcessHandle process)
{
    calls.push_back("releaseProcess " + std::to_string(process));
    released.push_back(process);
}

void FakePlatform::openHelp()
{
    calls.push_back("openHelp");
}

void FakePlatform::showMessage(const std::string& text, const std::string& detail)
{
    calls.push_back("showMessage " + text + detail);
    messages.push_back(text + detail);
}

bool FakePlatform::chooseFile(const FileChoice& choice, std::string& path)
{
    calls.push_back("chooseFile " + choice.title + " | " + choice.filter + " | " + choice.initialFolder);
    if (chooseFileAccepts)
        path = chosenFile;
    return chooseFileAccepts;
}
