#include "platform/number_text.h"

#include <cstdint>

#include "platform/ascii.h"

namespace number_text {

const char* const ENTER_INTEGER = "Please enter an integer.";
const char* const ENTER_POSITIVE_INTEGER = "Please enter a positive integer.";
const char* const ENTER_INTEGER_BETWEEN = "Please enter an integer between %1 and %2.";

namespace {

// Sign and magnitude of a blank-framed decimal number.
bool parseParts(const std::string& text, bool& negative, std::uint64_t& magnitude)
{
    size_t i = 0;
    while (i < text.size() && ascii::isSpace(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsStart = i;
    magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > 0xFFFFFFFFull)
            return false;
        ++i;
    }
    if (i == digitsStart)
        return false;
    while (i < text.size() && ascii::isSpace(text[i]))
        ++i;
    return i == text.size();
}

}  // namespace

bool parseSigned(const std::string& text, int& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!parseParts(text, negative, magnitude))
        return false;
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

bool parseUnsigned(const std::string& text, unsigned& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!parseParts(text, negative, magnitude) || negative)
        return false;
    value = static_cast<unsigned>(magnitude);
    return true;
}

std::string formatSigned(int value)
{
    return std::to_string(value);
}

std::string formatUnsigned(unsigned value)
{
    return std::to_string(value);
}

std::string rangeMessage(unsigned minimum, unsigned maximum)
{
    std::string text = ENTER_INTEGER_BETWEEN;
    const auto replace = [&text](const std::string& mark, const std::string& with) {
        const size_t at = text.find(mark);
        if (at != std::string::npos)
            text.replace(at, mark.size(), with);
    };
    replace("%1", std::to_string(minimum));
    replace("%2", std::to_string(maximum));
    return text;
}

}  // namespace number_text
