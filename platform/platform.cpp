#include "platform/platform.h"

#include "platform/profile/unicode_text.h"

bool Platform::readTextFile(const std::string& path, std::string& text)
{
    std::vector<unsigned char> bytes;
    if (!readWholeFile(path, bytes))
        return false;
    text = unicode_text::textOf(std::string(bytes.begin(), bytes.end()), codePage());
    return true;
}
