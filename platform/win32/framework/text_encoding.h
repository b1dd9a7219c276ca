// Conversions between the program's 8-bit texts and the system's UTF-16.
#pragma once

#include <string>

// The program's UTF-16 texts for the system's wide calls. A string type of its
// own rather than WideText: the run-time library holds WideText ready
// made, and using it links all of it (35 KB of the 32-bit program); this one
// is made from the header, with only the operations the program uses.
struct WideCharTraits : std::char_traits<wchar_t> {};
using WideText = std::basic_string<wchar_t, WideCharTraits>;

namespace text_encoding {

// The code page of the program's own Russian texts.
constexpr unsigned OWN_TEXT_CODE_PAGE = 1251;

// The program's own text (ASCII or Windows-1251) as UTF-16, so that it shows
// correctly whatever the system code page is.
WideText fromOwnText(const std::string& text);
// A text in the system code page (user input, file names) as UTF-16.
WideText fromSystemText(const std::string& text);
// UTF-16 as the program's own text: what Windows-1251 cannot hold becomes '?'.
std::string toOwnText(const WideText& text);
// UTF-16 as a text in the system code page.
std::string toSystemText(const WideText& text);

}  // namespace text_encoding
