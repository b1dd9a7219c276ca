// The text of a Windows profile file ("INI" file) held line by line, so that
// values can be looked up and changed while every untouched line keeps its
// bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

class ProfileDocument {
public:
    // The longest value a read gives: what fits the system's 4096-byte buffer.
    static constexpr std::size_t MAX_VALUE_LENGTH = 4095;

    enum class ChangeOutcome { Changed, Unchanged, Refused };

    ProfileDocument();
    explicit ProfileDocument(const std::string& bytes);

    // The value of a key as the system's reader gives it: trimmed, without one
    // pair of outer quotes, cut at 4095 characters; nullopt when the section
    // or the key is missing. The first of duplicate sections and keys counts.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // Applies all changes to one section, or none of them when one cannot be
    // written (a line break in a name or value, an empty or unreadable name).
    ChangeOutcome apply(const std::string& section, const std::vector<SettingChange>& changes);

    // The whole file as bytes.
    std::string bytes() const;

    static bool isWritableSection(const std::string& section);
    static bool isWritableKey(const std::string& key);
    static bool isWritableValue(const std::string& value);

private:
    enum class LineEnd : unsigned char { None, Cr, Lf, CrLf };
    enum class LineKind : unsigned char { Other, Header, Entry };

    static constexpr std::size_t NO_LINE = static_cast<std::size_t>(-1);

    struct Line {
        std::string text;  // without its line end
        LineEnd end = LineEnd::CrLf;
        LineKind kind = LineKind::Other;
        bool removed = false;               // deleted by the change being applied
        std::size_t separator = 0;          // position of the first '=' of an entry
        std::size_t nextSameKey = NO_LINE;  // next entry of this section with the same key
    };

    // A section with its header line first; the first block of the file holds
    // the lines before any header and is never matched.
    struct Section {
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keys;  // folded key -> first entry
    };

    static Line parseLine(std::string text, LineEnd end);
    static std::string sectionName(const Line& header);
    static std::string keyName(const Line& entry);
    static std::string rawValue(const Line& entry);
    static Line entryLine(const std::string& key, const std::string& value);

    void indexSections();
    static void indexKeys(Section& section);
    Section* findSection(const std::string& name);
    Section& appendSection(const std::string& name);
    static bool applyTo(Section& section, const std::vector<SettingChange>& changes);
    static void rebuild(Section& section, std::vector<Line>& added);

    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex;  // folded name -> first section
};
