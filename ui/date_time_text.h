// The text forms of instants, times of day and durations that the program
// shows and reads back: the editor's fields, the message window, the list
// rows and the current-time field. Names of days come from the platform's
// date pictures in the system locale; the numeric forms are built here.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/types.h"

class DateTimeText {
public:
    // "дней" (days) in Windows-1251.
    static const char* const DAYS_WORD;
    // Shown in place of an instant that has no local date and time (-1).
    static const char* const DATE_PLACEHOLDER;          // "--- --.--.--"
    static const char* const TIME_PLACEHOLDER;          // "-:--:--"
    static const char* const LIST_ROW_PLACEHOLDER;      // "----:--:-- - --:--:--"
    static const char* const CURRENT_TIME_PLACEHOLDER;  // "--:--:--"

    // Hours, minutes and seconds as typed; a number the scan did not reach
    // is 0.
    struct Clock {
        int hours = 0;
        int minutes = 0;
        int seconds = 0;
        int numbersRead = 0;
    };
    // Day, month and year as typed (the year still in its typed form).
    struct Date {
        static constexpr int NUMBERS = 3;
        int day = 0;
        int month = 0;
        int year = 0;
        int numbersRead = 0;
    };

    explicit DateTimeText(Platform& platform);

    // "ddd dd.MM.yy", e.g. "Mon 05.01.98".
    std::string dateText(Timestamp t);
    // "H:mm:ss" of the local time of day, e.g. "7:05:00".
    std::string timeOfDayText(Timestamp t);
    // "H:mm:ss" of given parts; parts outside a day's range (negative
    // durations) are written as numbers, "-1:-30:00", which read back exactly.
    std::string timeOfDayText(int hours, int minutes, int seconds);
    // "%Y:%m:%d - %H:%M:%S", e.g. "1998:01:05 - 07:05:00".
    std::string listRowTime(Timestamp t);
    // "%H:%M:%S", e.g. "07:05:00".
    std::string currentTime(Timestamp t);
    // The system locale's full name of a month (1-12): "MMMM" of its 1st in 1997.
    std::string monthName(int month);

    // The whole days of a repeat interval, at least two digits: "03 дней".
    std::string dayCountText(Duration repeatInterval);
    // The part of a repeat interval below one day: "1:30:00".
    std::string repeatTimeText(Duration repeatInterval);
    // A close-after duration less its whole days: 30 hours give "6:00:00".
    std::string closeAfterText(Duration closeAfter);

    // Readers of the typed forms: " %d %*c %d %*c %d " and " %d %*s" as the
    // fields always were scanned; a date's " %d %*c %d %*c %d " from where
    // its numbers begin, so that "10.12.26", "Thu 10.12.26" and
    // "x 10.12.26" give the same date. read tells whether a day count was.
    static Clock readClock(const std::string& text);
    static int readDayCount(const std::string& text, bool* read = nullptr);
    static Date readDate(const std::string& text);
    // A typed year: 0 to 69 mean 2000 to 2069, any other n means 1900 + n.
    static long long fullYear(int typed);

    // The instant of a typed date and time of day, as local time; carries
    // out-of-range parts over as mktime does; -1 when it cannot be held.
    Timestamp instantOf(const Date& date, const Clock& clock);

private:
    Platform& m_platform;
};
