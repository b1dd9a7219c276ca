#include "ui/setup_fields.h"

#include <cstdint>

#include "platform/types.h"
#include "ui/date_time_text.h"

namespace setup_fields {

std::vector<std::string> themeNames(Platform& platform, const std::string& startFolder)
{
    std::vector<std::string> names;
    for (const FolderEntry& entry : platform.listFolder(startFolder + "\\speak\\*.*"))
        if (entry.isFolder && entry.name != "." && entry.name != "..")
            names.push_back(entry.name);
    return names;
}

std::string silenceText(DateTimeText& texts, int seconds)
{
    const int ofDay = (seconds % SECONDS_PER_DAY + SECONDS_PER_DAY) % SECONDS_PER_DAY;
    return texts.timeOfDayText(ofDay / 3600, ofDay / 60 % 60, ofDay % 60);
}

int silenceSeconds(const std::string& text)
{
    const DateTimeText::Clock clock = DateTimeText::readClock(text);
    const auto part = [](int typed) { return static_cast<int>(static_cast<std::uint16_t>(typed)); };
    return part(clock.hours) * 3600 + part(clock.minutes) * 60 + part(clock.seconds);
}

}  // namespace setup_fields
