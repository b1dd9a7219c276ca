// Conversions between the program's 8-bit texts and the system's UTF-16.
#pragma once

#include <string>

namespace text_encoding {

// The code page of the program's own Russian texts.
constexpr unsigned OWN_TEXT_CODE_PAGE = 1251;

// The program's own text (ASCII or Windows-1251) as UTF-16, so that it shows
// correctly whatever the system code page is.
std::wstring fromOwnText(const std::string& text);
// A text in the system code page (user input, file names) as UTF-16.
std::wstring fromSystemText(const std::string& text);
// UTF-16 as the program's own text: what Windows-1251 cannot hold becomes '?'.
std::string toOwnText(const std::wstring& text);
// UTF-16 as a text in the system code page.
std::string toSystemText(const std::wstring& text);

}  // namespace text_encoding
