#include "model/stored_alarm.h"

#include <cstdint>
#include <cstdio>
#include <utility>

const char* const StoredAlarm::INVALID_TIME_TEXT = "1900:01:01-00:00:00";

namespace {

// Positions of the numbers in a stored value, in scan order.
enum NumberIndex {
    YEAR,
    MONTH,
    DAY,
    HOUR,
    MINUTE,
    SECOND,
    REPEAT_COUNT,
    STATE,
    FLAGS,
    REPEAT_DAYS,
    REPEAT_HOURS,
    REPEAT_MINUTES,
    REPEAT_SECONDS,
    CLOSE_DAYS,
    CLOSE_HOURS,
    CLOSE_MINUTES,
    CLOSE_SECONDS,
};

enum TextIndex { WAVE_FILE, COMMAND_LINE, WORKING_FOLDER, MESSAGE };

// The comma after the close-after span ends the numeric part.
constexpr int COMMAS_BEFORE_TEXTS = 6;

const char* const VALUE_PATTERN =
    " %d%*c%d%*c%d %*c %d%*c%d%*c%d , %d , %d , %d , %d%*c%d%*c%d%*c%d , %d%*c%d%*c%d%*c%d";

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The escape code that starts at text[at] ("%2C" or "%25", either case):
// the character it stands for, or 0 when there is none.
char escapedCharacterAt(const std::string& text, std::size_t at)
{
    if (at + 2 >= text.size() || text[at] != '%' || text[at + 1] != '2')
        return 0;
    const char code = upper(text[at + 2]);
    if (code == 'C')
        return ',';
    if (code == '5')
        return '%';
    return 0;
}

// Whether the settings file would drop the line's last character: blank,
// tab, vertical tab, form feed and the ^Z of old DOS files.
bool endsInTrimmedBlank(const std::string& line)
{
    const char last = line.empty() ? 'x' : line.back();
    return last == ' ' || (last >= '\t' && last <= '\r') || last == '\x1a';
}

// Appends a decimal number as printf's "%0*d" writes it: the sign counts
// toward the width. Written by hand because a save formats every alarm and
// the C library's printf costs several times as much.
void appendNumber(std::string& out, long long value, int width)
{
    char digits[24];
    int count = 0;
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        out += '-';
        --width;
    }
    for (int pad = count; pad < width; ++pad)
        out += '0';
    while (count > 0)
        out += digits[--count];
}

void appendSpan(std::string& out, Duration span)
{
    // Days plain, the rest of the day with two digits each. A negative span
    // has non-positive parts ("0:00:-1:-30"), which read back exactly.
    const DurationParts parts = DurationParts::split(span);
    appendNumber(out, parts.days, 1);
    out += ':';
    appendNumber(out, parts.hours, 2);
    out += ':';
    appendNumber(out, parts.minutes, 2);
    out += ':';
    appendNumber(out, parts.seconds, 2);
    out += ',';
}

}  // namespace

std::string StoredAlarm::escapeText(const std::string& text, std::size_t limit)
{
    const std::string cut = text.substr(0, limit);
    std::string out;
    out.reserve(cut.size());
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const char c = cut[i];
        if (c == ',')
            out += "%2C";
        else if (c == '\r' || c == '\n' || c == '\0')
            out += ' ';
        else if (c == '%' && escapedCharacterAt(cut, i) != 0)
            out += "%25";
        else
            out += c;
    }
    return out;
}

std::string StoredAlarm::unescapeText(const std::string& stored, std::size_t limit)
{
    std::string out;
    for (std::size_t i = 0; i < stored.size() && out.size() < limit;) {
        const char decoded = escapedCharacterAt(stored, i);
        if (decoded != 0) {
            out += decoded;
            i += 3;
        } else {
            out += stored[i++];
        }
    }
    return out;
}

std::string StoredAlarm::format(const Alarm& alarm, Platform& platform)
{
    std::string out;
    out.reserve(128 + alarm.waveFile.size() + alarm.commandLine.size() + alarm.workingFolder.size() +
                alarm.message.size());
    LocalTime local;
    if (platform.toLocal(alarm.time, local)) {
        // "%Y:%m:%d-%H:%M:%S"
        appendNumber(out, local.year, 4);
        out += ':';
        appendNumber(out, local.month, 2);
        out += ':';
        appendNumber(out, local.day, 2);
        out += '-';
        appendNumber(out, local.hour, 2);
        out += ':';
        appendNumber(out, local.minute, 2);
        out += ':';
        appendNumber(out, local.second, 2);
    } else {
        out += INVALID_TIME_TEXT;
    }
    // ",%d,%d,%d, " of count, state and flags (flags as a signed number).
    out += ',';
    appendNumber(out, alarm.repeatCount, 1);
    out += ',';
    appendNumber(out, alarm.state, 1);
    out += ',';
    appendNumber(out, static_cast<std::int32_t>(alarm.flags), 1);
    out += ", ";
    appendSpan(out, alarm.repeatInterval);
    appendSpan(out, alarm.closeAfter);
    out += escapeText(alarm.waveFile, WAVE_FILE_LIMIT);
    out += ',';
    out += escapeText(alarm.commandLine, TEXT_LIMIT);
    out += ',';
    out += escapeText(alarm.workingFolder, TEXT_LIMIT);
    out += ',';
    out += escapeText(alarm.message, TEXT_LIMIT);
    // The settings file drops blanks at the end of a line, where the message
    // stands; a comma after them keeps them. Every reader ends the message
    // at a comma, so lines with it and lines without read alike.
    if (!alarm.message.empty() && endsInTrimmedBlank(out))
        out += ',';
    return out;
}

std::string StoredAlarm::storedValue(const Alarm& alarm, Platform& platform)
{
    std::string value = format(alarm, platform);
    if (!alarm.storedLine.empty() && format(parse(alarm.storedLine).toAlarm(platform, INVALID_TIME), platform) == value)
        return alarm.storedLine;
    return value;
}

void StoredAlarm::keepLineIfNeeded(Alarm& alarm, const std::string& line, Platform& platform)
{
    // The invalid instant is stored as INVALID_TIME_TEXT, which says less
    // than a date after January 2038 or before 1970 that the user wrote.
    if (alarm.time == INVALID_TIME && parse(line).hasDateTime() && format(alarm, platform) != line)
        alarm.storedLine = line;
}

StoredAlarm StoredAlarm::parse(const std::string& value)
{
    StoredAlarm stored;
    int* n = stored.m_numbers;
    const int read = std::sscanf(value.c_str(), VALUE_PATTERN, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], &n[6], &n[7],
                                 &n[8], &n[9], &n[10], &n[11], &n[12], &n[13], &n[14], &n[15], &n[16]);
    stored.m_numbersRead = read < 0 ? 0 : read;

    // The texts start after the sixth comma; a value with fewer commas has
    // empty texts.
    std::size_t position = 0;
    for (int comma = 0; comma < COMMAS_BEFORE_TEXTS && position != std::string::npos; ++comma) {
        position = value.find(',', position);
        if (position != std::string::npos)
            ++position;
    }
    const std::size_t limits[TEXT_COUNT] = {WAVE_FILE_LIMIT, TEXT_LIMIT, TEXT_LIMIT, TEXT_LIMIT};
    for (int text = 0; text < TEXT_COUNT; ++text) {
        if (position == std::string::npos || position >= value.size())
            break;
        const std::size_t end = value.find(',', position);
        const std::size_t length = (end == std::string::npos ? value.size() : end) - position;
        stored.m_texts[text] = unescapeText(value.substr(position, length), limits[text]);
        position = end == std::string::npos ? std::string::npos : end + 1;
    }
    return stored;
}

Alarm StoredAlarm::toAlarm(Platform& platform, Timestamp missingTime) const
{
    // Numbers that were not read keep the defaults of a new alarm.
    Alarm alarm(missingTime);
    int numbers[NUMBER_COUNT] = {};
    numbers[REPEAT_COUNT] = alarm.repeatCount;
    numbers[STATE] = alarm.state;
    numbers[FLAGS] = static_cast<int>(alarm.flags);
    for (int i = 0; i < m_numbersRead; ++i)
        numbers[i] = m_numbers[i];

    if (hasDateTime()) {
        LocalTime local;
        local.year = numbers[YEAR];
        local.month = numbers[MONTH];
        local.day = numbers[DAY];
        local.hour = numbers[HOUR];
        local.minute = numbers[MINUTE];
        local.second = numbers[SECOND];
        alarm.time = Alarm(platform, local).time;
    }
    alarm.repeatCount = numbers[REPEAT_COUNT];
    alarm.state = numbers[STATE];
    alarm.flags = static_cast<std::uint32_t>(numbers[FLAGS]);
    alarm.repeatInterval = DurationParts::join(numbers[REPEAT_DAYS], numbers[REPEAT_HOURS], numbers[REPEAT_MINUTES],
                                               numbers[REPEAT_SECONDS]);
    alarm.closeAfter =
        DurationParts::join(numbers[CLOSE_DAYS], numbers[CLOSE_HOURS], numbers[CLOSE_MINUTES], numbers[CLOSE_SECONDS]);
    alarm.waveFile = m_texts[WAVE_FILE];
    alarm.commandLine = m_texts[COMMAND_LINE];
    alarm.workingFolder = m_texts[WORKING_FOLDER];
    alarm.message = m_texts[MESSAGE];
    return alarm;
}
