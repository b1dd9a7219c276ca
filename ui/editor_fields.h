// The five text fields of the alarm editor that hold its date, time of day,
// repeat interval (day count and time) and close-after duration: their texts
// from the alarm's values when the editor opens, and the values read back
// from whatever the fields hold when it closes.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/types.h"

class EditorFields {
public:
    struct Texts {
        std::string date;
        std::string timeOfDay;
        std::string dayCount;
        std::string repeatTime;
        std::string closeAfter;
    };
    struct Values {
        Timestamp time = INVALID_TIME;
        Duration repeatInterval = 0;
        Duration closeAfter = 0;
    };

    explicit EditorFields(Platform& platform);

    Texts format(const Values& values);
    // Never refuses a text: a scan that stops early contributes the numbers
    // it read and 0 for the rest. A date without day, month and year, or a
    // time of day without a number (a blank field, the placeholder of the
    // invalid instant), gives the invalid instant.
    Values read(const Texts& texts);

private:
    Platform& m_platform;
};
