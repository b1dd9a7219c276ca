// The text form of one alarm as a value of the AlarmList section, e.g.
//   1998:03:15-07:30:00,-1,1,39, 1:00:00:00,0:00:10:00,D:\SOUNDS\DING.WAV,notepad.exe notes.txt,D:\WORK,Time for a
//   break
// date-time, count, state, flags, repeat span, close-after span, then the wave
// file, command line, working folder and message separated by commas; a
// message that ends in blanks is followed by a comma that keeps them.
#pragma once

#include <cstddef>
#include <string>

#include "model/alarm.h"
#include "platform/platform.h"

class StoredAlarm {
public:
    // How many numbers a complete value holds: six of the date and time,
    // count, state, flags, and four parts of each span.
    static constexpr int NUMBER_COUNT = 17;
    static constexpr int DATE_TIME_NUMBERS = 6;
    static constexpr int TEXT_COUNT = 4;

    // Where an instant has no local date and time (the invalid instant -1),
    // this date-time is stored. It lies before 1970, so every reader, this
    // one and the plain one that knows no such marker, converts it back to
    // the invalid instant, and it keeps the fields after it readable.
    static const char* const INVALID_TIME_TEXT;

    // The stored value of an alarm.
    static std::string format(const Alarm& alarm, Platform& platform);
    // What is stored for an alarm: the line it was read from while the
    // alarm still stands for what that line said, its value otherwise.
    static std::string storedValue(const Alarm& alarm, Platform& platform);
    // Keeps the line in the alarm read from it where the value would lose
    // what it says: a date that has no instant.
    static void keepLineIfNeeded(Alarm& alarm, const std::string& line, Platform& platform);
    // Takes a stored value apart; never fails, see complete().
    static StoredAlarm parse(const std::string& value);

    // A comma in a text is written "%2C", and a '%' is written "%25" where
    // it is followed by "2C" or "25" (either case), so any other text,
    // a plain '%' included, is written exactly as it stands. A line break or
    // NUL, which no line of the settings file can hold, becomes a blank. The
    // text is cut to limit characters first.
    static std::string escapeText(const std::string& text, std::size_t limit);
    // Decodes "%2C" and "%25" in either case and cuts the result to limit.
    static std::string unescapeText(const std::string& stored, std::size_t limit);

    // Whether all NUMBER_COUNT numbers were read ("Bad Format!" otherwise).
    bool complete() const { return m_numbersRead == NUMBER_COUNT; }
    // Whether the six numbers of the date and time were read.
    bool hasDateTime() const { return m_numbersRead >= DATE_TIME_NUMBERS; }
    int numbersRead() const { return m_numbersRead; }

    // The alarm the value stands for. Numbers that were not read take the
    // defaults of a new alarm (spans: 0 for each missing part) and, when the
    // date or time is incomplete, time is missingTime.
    Alarm toAlarm(Platform& platform, Timestamp missingTime) const;

private:
    int m_numbers[NUMBER_COUNT] = {};
    int m_numbersRead = 0;
    std::string m_texts[TEXT_COUNT];
};
