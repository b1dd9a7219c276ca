// Character tests and case folding of plain ASCII text, the same in every
// locale: settings names, scanned fields and command lines are all read byte
// by byte, as the C library's "C" locale reads them.
#pragma once

#include <string>

namespace ascii {

// The blanks of a C scan: space, tab, line feed, vertical tab, form feed and
// carriage return.
constexpr bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr char toLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string toLower(std::string text)
{
    for (char& c : text)
        c = toLower(c);
    return text;
}

inline bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i)
        if (toLower(a[i]) != toLower(b[i]))
            return false;
    return true;
}

// The text without the blanks around it.
inline std::string trimmed(const std::string& text)
{
    std::string::size_type first = 0;
    std::string::size_type last = text.size();
    while (first < last && isSpace(text[first]))
        ++first;
    while (last > first && isSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

}  // namespace ascii
