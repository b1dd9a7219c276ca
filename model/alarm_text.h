// One of an alarm's four texts in as little memory as it needs: an empty
// text (most alarms have no wave file, program or folder) costs a null
// pointer, and the record stays small in lists of thousands of alarms.
#pragma once

#include <memory>
#include <ostream>
#include <string>

class AlarmText {
public:
    AlarmText() = default;
    AlarmText(const std::string& text) { assign(text); }  // NOLINT: a text is used where a string is given
    AlarmText(const AlarmText& other) { assign(other.str()); }
    AlarmText(AlarmText&& other) noexcept = default;
    ~AlarmText() = default;
    AlarmText& operator=(const AlarmText& other)
    {
        assign(other.str());
        return *this;
    }
    AlarmText& operator=(AlarmText&& other) noexcept = default;
    AlarmText& operator=(const std::string& text)
    {
        assign(text);
        return *this;
    }

    const std::string& str() const { return m_text ? *m_text : emptyString(); }
    operator const std::string&() const { return str(); }  // NOLINT: read wherever a string is
    bool empty() const { return !m_text; }
    std::size_t size() const { return str().size(); }
    friend bool operator==(const AlarmText& text, const std::string& other) { return text.str() == other; }
    friend bool operator!=(const AlarmText& text, const std::string& other) { return text.str() != other; }

private:
    static const std::string& emptyString()
    {
        static const std::string none;
        return none;
    }
    void assign(const std::string& text) { m_text = text.empty() ? nullptr : std::make_unique<std::string>(text); }

    std::unique_ptr<std::string> m_text;
};

inline std::string operator+(const std::string& text, const AlarmText& more)
{
    return text + more.str();
}

inline std::string operator+(const char* text, const AlarmText& more)
{
    return text + more.str();
}

inline std::ostream& operator<<(std::ostream& out, const AlarmText& text)
{
    return out << text.str();
}
