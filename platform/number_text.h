// Reading and writing the whole numbers of dialog fields, and the
// framework's messages when a field does not hold one.
#pragma once

#include <string>

namespace number_text {

// A signed decimal number with optional blanks before and after it; false
// for anything else, including a number that does not fit in 32 bits.
bool parseSigned(const std::string& text, int& value);
// A decimal number of 0 or more (an optional '+' allowed), as above.
bool parseUnsigned(const std::string& text, unsigned& value);
std::string formatSigned(int value);
std::string formatUnsigned(unsigned value);
// "Please enter an integer between %1 and %2." with the bounds put in.
std::string rangeMessage(unsigned minimum, unsigned maximum);

extern const char* const ENTER_INTEGER;           // "Please enter an integer."
extern const char* const ENTER_POSITIVE_INTEGER;  // "Please enter a positive integer."
extern const char* const ENTER_INTEGER_BETWEEN;   // "Please enter an integer between %1 and %2."

}  // namespace number_text
