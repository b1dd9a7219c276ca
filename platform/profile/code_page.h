// Conversion between UTF-16 and the program's 8-bit text, for settings and
// theme files saved as "Unicode". This base converts as ISO 8859-1, each
// byte standing for the character of the same number, so that the portable
// engine and its tests need no system; the Windows file system converts with
// the system's ANSI code page instead, as the system's own profile functions
// do.
#pragma once

#include <string>

class CodePage {
public:
    virtual ~CodePage() = default;

    // A character the code page lacks becomes '?'.
    virtual std::string fromUtf16(const std::u16string& text) const;
    virtual std::u16string toUtf16(const std::string& text) const;

    // The one instance of this base.
    static const CodePage& latin1();
};
