// Reading a typed date: its numbers wherever the text holds them.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ui/date_time_text.h"

TEST(DateTimeTextDates, NumbersAreReadWhereverTheTextHoldsThem)
{
    // Text, then day, month, year and how many of them were read.
    const std::tuple<const char*, int, int, int, int> rows[] = {
        {"10.12.26", 10, 12, 26, 3},     {"Thu 10.12.26", 10, 12, 26, 3},  {"x 10.12.26", 10, 12, 26, 3},
        {"  Thu  5/1/98 ", 5, 1, 98, 3}, {"Mon -1.01.98", -1, 1, 98, 3},   {"Mon 05.01.1998", 5, 1, 1998, 3},
        {"10.12", 10, 12, 0, 2},         {"Thu", 0, 0, 0, 0},             {"--- --.--.--", 0, 0, 0, 0},
        {"", 0, 0, 0, 0}};
    for (const auto& [text, day, month, year, read] : rows) {
        const DateTimeText::Date date = DateTimeText::readDate(text);
        EXPECT_EQ(std::make_tuple(date.day, date.month, date.year, date.numbersRead),
                  std::make_tuple(day, month, year, read))
            << text;
    }
}
