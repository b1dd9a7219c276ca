// The text of a Windows profile file ("INI" file) held line by line, so that
// values can be looked up and changed while every untouched line keeps its
// bytes. A file saved as UTF-16 is read in the program's code page and
// written back in UTF-16, its untouched lines byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/profile/code_page.h"
#include "platform/profile/unicode_text.h"

class ProfileDocument {
public:
    // The longest value a read gives: what fits the system's 4096-byte buffer.
    static constexpr std::size_t MAX_VALUE_LENGTH = 4095;

    enum class ChangeOutcome { Changed, Unchanged, Refused };

    ProfileDocument();
    // codePage converts the lines of a UTF-16 file; it must outlive the
    // document.
    explicit ProfileDocument(const std::string& bytes, const CodePage& codePage = CodePage::latin1());

    // The value of a key as the system's reader gives it: trimmed, without one
    // pair of outer quotes, cut at 4095 characters; nullopt when the section
    // or the key is missing or has no value. The first of duplicate sections
    // and keys counts.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // Applies all changes to one section, or none of them when one cannot be
    // written (a line break in a name or value, an empty or unreadable name).
    ChangeOutcome apply(const std::string& section, const std::vector<SettingChange>& changes);
    // What apply would give, the document left as it is; Unchanged only when
    // apply would change nothing.
    ChangeOutcome preview(const std::string& section, const std::vector<SettingChange>& changes) const;

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
        std::string text;  // without its line end, in the program's code page
        // Of a UTF-16 file: the line's own bytes while it is unchanged.
        std::unique_ptr<const std::string> encoded;
        LineEnd end = LineEnd::CrLf;
        LineKind kind = LineKind::Other;
        bool removed = false;               // deleted by the change being applied
        std::size_t separator = 0;          // the first '=' of an entry; npos when it has none
        std::size_t nextSameKey = NO_LINE;  // next entry of this section with the same key
    };

    // A section with its header line first; the first block of the file holds
    // the lines before any header and is never matched. Its keys are found
    // through the hashes of their folded names, each with the line of the
    // key's first entry in the low half, sorted: eight bytes a key, for
    // lists of thousands of alarms.
    struct Section {
        std::vector<Line> lines;
        std::vector<std::uint64_t> keys;
    };

    template <typename Text, typename Take>
    static void forEachLine(const Text& text, Take take);
    // Every name and value of the changes can be written (apply refuses them
    // all otherwise).
    static bool isWritable(const std::string& section, const std::vector<SettingChange>& changes);
    static Line parseLine(std::string text, LineEnd end);
    static std::string sectionName(const Line& header);
    static std::string keyName(const Line& entry);
    static std::optional<std::string> rawValue(const Line& entry);
    static Line entryLine(const std::string& key, const std::string& value);

    void addLine(Line line);
    void indexSections();
    static void indexKeys(Section& section);
    // The first entry of a folded key that the change being applied has not
    // removed, or NO_LINE.
    static std::size_t firstEntry(const Section& section, const std::string& foldedKey);
    const Section* findSection(const std::string& name) const;  // name trimmed; nullptr when missing
    Section* findSection(const std::string& name);
    Section& appendSection(const std::string& name);
    static bool applyTo(Section& section, const std::vector<SettingChange>& changes);
    static void rebuild(Section& section, std::vector<Line>& added);

    const CodePage* m_codePage;
    TextEncoding m_encoding = TextEncoding::EightBit;
    std::string m_oddLastByte;  // a UTF-16 file's stray last byte, kept at its end
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex;  // folded name -> first section
};
