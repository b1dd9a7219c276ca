// Text files saved as "Unicode": UTF-16 in either byte order, told from 8-bit
// text by the byte-order mark at their start, as the system's profile
// functions tell them.
#pragma once

#include <string>

#include "platform/profile/code_page.h"

enum class TextEncoding { EightBit, Utf16LittleEndian, Utf16BigEndian };

namespace unicode_text {

TextEncoding encodingOf(const std::string& bytes);
// The byte-order mark that starts a file of the encoding; none for 8-bit text.
std::string byteOrderMark(TextEncoding encoding);
// The UTF-16 code units of bytes, two bytes each; an odd last byte is left out.
std::u16string unitsOf(const std::string& bytes, TextEncoding encoding);
std::string bytesOf(const std::u16string& units, TextEncoding encoding);
// A whole file as 8-bit text: UTF-16 converted, without its mark; 8-bit text
// as it is.
std::string textOf(const std::string& bytes, const CodePage& codePage);

}  // namespace unicode_text
