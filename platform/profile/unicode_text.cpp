#include "platform/profile/unicode_text.h"

namespace unicode_text {

TextEncoding encodingOf(const std::string& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return TextEncoding::Utf16LittleEndian;
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return TextEncoding::Utf16BigEndian;
    return TextEncoding::EightBit;
}

std::string byteOrderMark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::EightBit:
        return std::string();
    case TextEncoding::Utf16LittleEndian:
        return "\xFF\xFE";
    case TextEncoding::Utf16BigEndian:
        return "\xFE\xFF";
    }
    return std::string();
}

std::u16string unitsOf(const std::string& bytes, TextEncoding encoding)
{
    const bool bigEndian = encoding == TextEncoding::Utf16BigEndian;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

std::string bytesOf(const std::u16string& units, TextEncoding encoding)
{
    const bool bigEndian = encoding == TextEncoding::Utf16BigEndian;
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string textOf(const std::string& bytes, const CodePage& codePage)
{
    const TextEncoding encoding = encodingOf(bytes);
    if (encoding == TextEncoding::EightBit)
        return bytes;
    return codePage.fromUtf16(unitsOf(bytes.substr(2), encoding));
}

}  // namespace unicode_text
