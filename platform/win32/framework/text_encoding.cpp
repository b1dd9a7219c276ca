#include "platform/win32/framework/text_encoding.h"

#include <windows.h>

namespace text_encoding {
namespace {

WideText widen(unsigned codePage, const std::string& text)
{
    if (text.empty())
        return WideText();
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return WideText(text.begin(), text.end());
    WideText wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string narrow(unsigned codePage, const WideText& text)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string narrowed(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &narrowed[0], length, nullptr, nullptr);
    return narrowed;
}

}  // namespace

WideText fromOwnText(const std::string& text)
{
    return widen(OWN_TEXT_CODE_PAGE, text);
}

WideText fromSystemText(const std::string& text)
{
    return widen(CP_ACP, text);
}

std::string toOwnText(const WideText& text)
{
    return narrow(OWN_TEXT_CODE_PAGE, text);
}

std::string toSystemText(const WideText& text)
{
    return narrow(CP_ACP, text);
}

}  // namespace text_encoding
