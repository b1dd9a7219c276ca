#include "ui/editor_fields.h"

#include "model/alarm.h"
#include "ui/date_time_text.h"

EditorFields::EditorFields(Platform& platform) : m_platform(platform) {}

EditorFields::Texts EditorFields::format(const Values& values)
{
    DateTimeText text(m_platform);
    Texts texts;
    texts.date = text.dateText(values.time);
    texts.timeOfDay = text.timeOfDayText(values.time);
    texts.dayCount = text.dayCountText(values.repeatInterval);
    texts.repeatTime = text.repeatTimeText(values.repeatInterval);
    texts.closeAfter = text.closeAfterText(values.closeAfter);
    return texts;
}

EditorFields::Values EditorFields::read(const Texts& texts)
{
    DateTimeText text(m_platform);
    Values values;
    const DateTimeText::Clock closeAfter = DateTimeText::readClock(texts.closeAfter);
    values.closeAfter = DurationParts::join(0, closeAfter.hours, closeAfter.minutes, closeAfter.seconds);

    const int days = DateTimeText::readDayCount(texts.dayCount);
    const DateTimeText::Clock repeat = DateTimeText::readClock(texts.repeatTime);
    values.repeatInterval = DurationParts::join(days, repeat.hours, repeat.minutes, repeat.seconds);

    // A date without its three numbers, or a time without any, is no
    // instant: taken as zeros it would be one long past, and ring at once.
    const DateTimeText::Date date = DateTimeText::readDate(texts.date);
    const DateTimeText::Clock clock = DateTimeText::readClock(texts.timeOfDay);
    if (date.numbersRead < DateTimeText::Date::NUMBERS || clock.numbersRead == 0) {
        values.time = INVALID_TIME;
        return values;
    }
    values.time = text.instantOf(date, clock);
    return values;
}
