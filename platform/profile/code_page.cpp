#include "platform/profile/code_page.h"

std::string CodePage::fromUtf16(const std::u16string& text) const
{
    std::string out;
    out.reserve(text.size());
    for (const char16_t unit : text)
        out += unit <= 0xFF ? static_cast<char>(unit) : '?';
    return out;
}

std::u16string CodePage::toUtf16(const std::string& text) const
{
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text)
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

const CodePage& CodePage::latin1()
{
    static const CodePage instance;
    return instance;
}
