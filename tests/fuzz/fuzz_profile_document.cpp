// Fuzzes the parser of the settings file: any bytes are taken without a
// fault and kept byte for byte, and a value written into the parsed file
// reads back after the file is parsed again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/profile/profile_document.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ProfileDocument document(bytes);
    check(document.bytes() == bytes);

    for (const char* key : {"0", "1", "Flags", "Column"}) {
        const auto value = document.value("AlarmList", key);
        check(!value || value->size() <= ProfileDocument::MAX_VALUE_LENGTH);
    }

    // Rewrite key 0 of the alarm list, delete key 1 and add a key to a new
    // section; the new file reads back with exactly those changes.
    const std::string alarm = "1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,a,b,c,d";
    const std::vector<SettingChange> changes = {{"0", alarm}, {"1", std::nullopt}};
    if (document.apply("AlarmList", changes) == ProfileDocument::ChangeOutcome::Refused)
        std::abort();
    if (document.apply("Fuzz Section", {{"k", std::string("v")}}) == ProfileDocument::ChangeOutcome::Refused)
        std::abort();
    const ProfileDocument reread(document.bytes());
    check(reread.value("AlarmList", "0") == alarm);
    check(!reread.value("AlarmList", "1").has_value());
    check(reread.value("Fuzz Section", "k") == std::string("v"));
    check(reread.bytes() == document.bytes());
    return 0;
}
