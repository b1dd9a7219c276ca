// The values of the setup dialog: the voice themes to choose from, and the
// two bounds of the silence period as the time-of-day texts of its fields.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

class DateTimeText;

namespace setup_fields {

// The names of the folders under startFolder\speak, in listing order;
// none when there is no speak folder.
std::vector<std::string> themeNames(Platform& platform, const std::string& startFolder);
// A bound as the time-of-day text of its hours of the day, minutes and seconds.
std::string silenceText(DateTimeText& texts, int seconds);
// A typed bound: hours, minutes and seconds, each taken as an unsigned
// 16-bit number (so -1 counts as 65535); a number not typed counts as 0.
int silenceSeconds(const std::string& text);

}  // namespace setup_fields
