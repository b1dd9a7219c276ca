// Fuzzes the reader of a stored alarm value: it must take any text without
// a fault, never hold a text past its limit, and what it reads must survive
// being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/stored_alarm.h"
#include "support/fake_platform.h"

namespace {

constexpr Timestamp MISSING_TIME = 900000000;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameExceptTime(const Alarm& a, const Alarm& b)
{
    return a.repeatCount == b.repeatCount && a.state == b.state && a.flags == b.flags &&
        a.repeatInterval == b.repeatInterval && a.closeAfter == b.closeAfter && a.waveFile == b.waveFile &&
        a.commandLine == b.commandLine && a.workingFolder == b.workingFolder && a.message == b.message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The settings reader gives at most 4095 characters and no line break.
    if (size > 4095)
        return 0;
    const std::string value(reinterpret_cast<const char*>(data), size);
    static FakePlatform platform;

    const StoredAlarm stored = StoredAlarm::parse(value);
    check(stored.numbersRead() >= 0 && stored.numbersRead() <= StoredAlarm::NUMBER_COUNT);
    const Alarm alarm = stored.toAlarm(platform, MISSING_TIME);
    check(alarm.waveFile.size() <= WAVE_FILE_LIMIT);
    check(alarm.commandLine.size() <= TEXT_LIMIT && alarm.workingFolder.size() <= TEXT_LIMIT &&
          alarm.message.size() <= TEXT_LIMIT);
    if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return 0;

    // Written and read back, the alarm is the same; its time may move to the
    // other reading of an hour that exists twice, and then stays there.
    const std::string written = StoredAlarm::format(alarm, platform);
    check(written.size() <= 4095);
    const StoredAlarm again = StoredAlarm::parse(written);
    check(again.complete());
    const Alarm back = again.toAlarm(platform, MISSING_TIME);
    check(sameExceptTime(alarm, back));
    check(back.time == alarm.time || static_cast<long long>(back.time) - alarm.time == -3600);
    check(StoredAlarm::format(back, platform) == written);
    return 0;
}
