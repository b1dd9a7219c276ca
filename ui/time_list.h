// The entries of the time drop-down list: times of day in quarter hours, or
// day counts in steps of two, and the text an entry hands back to its field.
#pragma once

#include <string>
#include <vector>

enum class TimeListMode { TimeOfDay, Days };

namespace time_list {

// 96 entries "0:0" to "23:45", or 16 entries "0 дней" to "30 дней".
std::vector<std::string> entries(TimeListMode mode);
// The text an entry writes into its field: a time of day gets ":00".
std::string handedBack(TimeListMode mode, const std::string& entry);
// The entry that holds exactly the value of the field's text, or -1: the
// list opens on it, and leaving the list hands back nothing when there is
// none, so that an untouched list never changes the field.
int entryOf(TimeListMode mode, const std::string& fieldText);

}  // namespace time_list
