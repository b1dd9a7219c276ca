#include "platform/profile/profile_document.h"

#include <algorithm>
#include <utility>

#include "platform/ascii.h"
#include "platform/profile/unicode_text.h"

namespace {

// The characters the system's reader drops around lines, names and values:
// blank, tab, line feed, vertical tab, form feed, carriage return, and the
// ^Z that ends old DOS text files.
bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

// The text without those characters around it.
std::string trimmed(const std::string& text, std::size_t begin = 0, std::size_t end = std::string::npos)
{
    end = std::min(end, text.size());
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Names match without regard to ASCII case, like the system's own comparison
// of section and key names.
std::string folded(const std::string& text)
{
    return ascii::toLower(text);
}

// FNV-1a of a folded name: where the index looks for a key.
std::uint32_t hashOf(const std::string& name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

bool isBlankText(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), isBlank);
}

// A line break or NUL inside a name or value would change the file's lines,
// or cut the text short, when read back.
bool holdsBreak(const std::string& text)
{
    // A plain loop: find_first_of looks each character up in the set, which
    // is what saving a list of thousands of alarms spent its time on.
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

}  // namespace

// Calls take(start, stop, end) for each line of a text: the line runs from
// start to stop and ends with CR, LF, CR LF or, the last one, with nothing.
template <typename Text, typename Take>
void ProfileDocument::forEachLine(const Text& text, Take take)
{
    using Char = typename Text::value_type;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = start;
        while (stop < text.size() && text[stop] != Char('\r') && text[stop] != Char('\n'))
            ++stop;
        LineEnd end = LineEnd::None;
        std::size_t next = text.size();
        if (stop == text.size()) {
            // the last line, without a line end
        } else if (text[stop] == Char('\n')) {
            end = LineEnd::Lf;
            next = stop + 1;
        } else if (stop + 1 < text.size() && text[stop + 1] == Char('\n')) {
            end = LineEnd::CrLf;
            next = stop + 2;
        } else {
            end = LineEnd::Cr;
            next = stop + 1;
        }
        take(start, stop, end);
        start = next;
    }
}

ProfileDocument::ProfileDocument() : m_codePage(&CodePage::latin1())
{
    m_sections.emplace_back();
}

ProfileDocument::ProfileDocument(const std::string& bytes, const CodePage& codePage)
    : m_codePage(&codePage), m_encoding(unicode_text::encodingOf(bytes))
{
    m_sections.emplace_back();
    if (m_encoding == TextEncoding::EightBit) {
        forEachLine(bytes, [&](std::size_t start, std::size_t stop, LineEnd end) {
            addLine(parseLine(bytes.substr(start, stop - start), end));
        });
    } else {
        // Each line is read in the code page, and keeps its own bytes for
        // as long as it is not changed.
        const std::size_t textStart = unicode_text::byteOrderMark(m_encoding).size();
        const std::u16string units = unicode_text::unitsOf(bytes.substr(textStart), m_encoding);
        m_oddLastByte = bytes.substr(textStart + units.size() * 2);
        forEachLine(units, [&](std::size_t start, std::size_t stop, LineEnd end) {
            Line line = parseLine(codePage.fromUtf16(units.substr(start, stop - start)), end);
            line.encoded = std::make_unique<const std::string>(bytes.substr(textStart + start * 2, (stop - start) * 2));
            addLine(std::move(line));
        });
    }
    indexSections();
}

void ProfileDocument::addLine(Line line)
{
    if (line.kind == LineKind::Header)
        m_sections.emplace_back();
    m_sections.back().lines.push_back(std::move(line));
}

ProfileDocument::Line ProfileDocument::parseLine(std::string text, LineEnd end)
{
    Line line;
    line.text = std::move(text);
    line.end = end;
    const std::string& t = line.text;
    std::size_t first = 0;
    while (first < t.size() && isBlank(t[first]))
        ++first;
    if (first == t.size())
        return line;
    if (t[first] == '[' && t.find(']', first + 1) != std::string::npos) {
        // A name in brackets ends at the first ']'. A line without one is no
        // header but an entry like any other line.
        line.kind = LineKind::Header;
        return line;
    }
    if (t[first] == ';')
        return line;  // a comment: kept, never matched
    // A line without '=' is a key without a value, as the system reads it:
    // it reads as missing, yet it is the entry a write of that key changes
    // and it hides later entries of the same key.
    line.separator = t.find('=');
    if (!trimmed(t, 0, line.separator).empty())
        line.kind = LineKind::Entry;
    return line;
}

std::string ProfileDocument::sectionName(const Line& header)
{
    std::size_t open = header.text.find('[');
    std::size_t close = header.text.find(']', open + 1);
    return trimmed(header.text, open + 1, close);
}

std::string ProfileDocument::keyName(const Line& entry)
{
    return trimmed(entry.text, 0, entry.separator);
}

std::optional<std::string> ProfileDocument::rawValue(const Line& entry)
{
    if (entry.separator == std::string::npos)
        return std::nullopt;
    return trimmed(entry.text, entry.separator + 1);
}

ProfileDocument::Line ProfileDocument::entryLine(const std::string& key, const std::string& value)
{
    Line line;
    line.text = key + '=' + value;
    line.kind = LineKind::Entry;
    line.separator = key.size();
    return line;
}

void ProfileDocument::indexSections()
{
    m_sectionIndex.clear();
    for (std::size_t i = 1; i < m_sections.size(); ++i) {
        std::string name = folded(sectionName(m_sections[i].lines.front()));
        if (!name.empty())
            m_sectionIndex.emplace(std::move(name), i);  // the first one wins
        indexKeys(m_sections[i]);
    }
}

void ProfileDocument::indexKeys(Section& section)
{
    section.keys.clear();
    std::unordered_map<std::string, std::size_t> lastSeen;
    lastSeen.reserve(section.lines.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        Line& line = section.lines[i];
        line.nextSameKey = NO_LINE;
        if (line.kind != LineKind::Entry)
            continue;
        std::string key = folded(keyName(line));
        auto seen = lastSeen.find(key);
        if (seen == lastSeen.end()) {
            section.keys.push_back(static_cast<std::uint64_t>(hashOf(key)) << 32 | i);
            lastSeen.emplace(std::move(key), i);
        } else {
            section.lines[seen->second].nextSameKey = i;
            seen->second = i;
        }
    }
    std::sort(section.keys.begin(), section.keys.end());
}

std::size_t ProfileDocument::firstEntry(const Section& section, const std::string& foldedKey)
{
    const std::uint64_t hash = static_cast<std::uint64_t>(hashOf(foldedKey)) << 32;
    for (auto at = std::lower_bound(section.keys.begin(), section.keys.end(), hash);
         at != section.keys.end() && (*at & ~0xFFFFFFFFull) == hash; ++at) {
        const std::size_t line = static_cast<std::size_t>(*at & 0xFFFFFFFFull);
        if (!section.lines[line].removed && folded(keyName(section.lines[line])) == foldedKey)
            return line;
    }
    return NO_LINE;
}

std::optional<std::string> ProfileDocument::value(const std::string& section, const std::string& key) const
{
    const Section* s = findSection(trimmed(section));
    if (s == nullptr)
        return std::nullopt;
    const std::size_t entry = firstEntry(*s, folded(trimmed(key)));
    if (entry == NO_LINE)
        return std::nullopt;
    std::optional<std::string> raw = rawValue(s->lines[entry]);
    if (!raw)
        return std::nullopt;
    std::string& v = *raw;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    std::size_t nul = v.find('\0');
    if (nul != std::string::npos)
        v.resize(nul);
    if (v.size() > MAX_VALUE_LENGTH)
        v.resize(MAX_VALUE_LENGTH);
    return raw;
}

bool ProfileDocument::isWritableSection(const std::string& section)
{
    std::string name = trimmed(section);
    return !name.empty() && !holdsBreak(name) && name.find(']') == std::string::npos;
}

bool ProfileDocument::isWritableKey(const std::string& key)
{
    // A key that would read back as a header, a comment or another key is
    // refused as well as one with a line break.
    std::string name = trimmed(key);
    return !name.empty() && !holdsBreak(name) && name.find('=') == std::string::npos && name.front() != '[' &&
        name.front() != ';';
}

bool ProfileDocument::isWritableValue(const std::string& value)
{
    return !holdsBreak(value);
}

const ProfileDocument::Section* ProfileDocument::findSection(const std::string& name) const
{
    auto found = m_sectionIndex.find(folded(name));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

ProfileDocument::Section* ProfileDocument::findSection(const std::string& name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

ProfileDocument::Section& ProfileDocument::appendSection(const std::string& name)
{
    // New sections go at the end of the file, right after its last line,
    // which gets a line end first if the file had none.
    for (auto s = m_sections.rbegin(); s != m_sections.rend(); ++s) {
        if (s->lines.empty())
            continue;
        if (s->lines.back().end == LineEnd::None)
            s->lines.back().end = LineEnd::CrLf;
        break;
    }
    Section section;
    section.lines.push_back(parseLine('[' + name + ']', LineEnd::CrLf));
    m_sections.push_back(std::move(section));
    m_sectionIndex.emplace(folded(name), m_sections.size() - 1);
    return m_sections.back();
}

bool ProfileDocument::isWritable(const std::string& section, const std::vector<SettingChange>& changes)
{
    return isWritableSection(section) && std::all_of(changes.begin(), changes.end(), [](const SettingChange& change) {
               return isWritableKey(change.key) && (!change.value || isWritableValue(*change.value));
           });
}

ProfileDocument::ChangeOutcome ProfileDocument::preview(const std::string& section,
                                                        const std::vector<SettingChange>& changes) const
{
    if (!isWritable(section, changes))
        return ChangeOutcome::Refused;
    const Section* target = findSection(trimmed(section));
    // Up to the first change that does something, the document is as the
    // changes before it found it, so each is judged on the document as it is.
    for (const SettingChange& change : changes) {
        const std::size_t existing = target ? firstEntry(*target, folded(trimmed(change.key))) : NO_LINE;
        if (change.value ? existing == NO_LINE || rawValue(target->lines[existing]) != *change.value
                         : existing != NO_LINE)
            return ChangeOutcome::Changed;
    }
    return ChangeOutcome::Unchanged;
}

ProfileDocument::ChangeOutcome ProfileDocument::apply(const std::string& section,
                                                      const std::vector<SettingChange>& changes)
{
    if (!isWritable(section, changes))
        return ChangeOutcome::Refused;
    std::string name = trimmed(section);
    if (Section* existing = findSection(name)) {
        return applyTo(*existing, changes) ? ChangeOutcome::Changed : ChangeOutcome::Unchanged;
    }
    // Deleting from a missing section changes nothing; anything else creates it.
    bool setsAny = std::any_of(changes.begin(), changes.end(),
                               [](const SettingChange& change) { return change.value.has_value(); });
    if (!setsAny)
        return ChangeOutcome::Unchanged;
    applyTo(appendSection(name), changes);
    return ChangeOutcome::Changed;
}

bool ProfileDocument::applyTo(Section& section, const std::vector<SettingChange>& changes)
{
    bool changedExisting = false, removedAny = false;
    std::vector<Line> added;
    std::unordered_map<std::string, std::size_t> addedKeys;  // folded key -> line in added
    for (const SettingChange& change : changes) {
        std::string key = trimmed(change.key);
        std::string foldedKey = folded(key);
        const std::size_t existing = firstEntry(section, foldedKey);
        // Only a key the section does not hold can be among the added ones.
        auto pending = existing == NO_LINE ? addedKeys.find(foldedKey) : addedKeys.end();
        if (change.value) {
            const std::string& value = *change.value;
            if (existing != NO_LINE) {
                // The first entry of the key takes the value; its name keeps
                // the spelling the file gave it.
                Line& line = section.lines[existing];
                if (rawValue(line) == value)
                    continue;
                std::string fileKey = keyName(line);
                line.text = fileKey + '=' + value;
                line.encoded.reset();
                line.separator = fileKey.size();
                changedExisting = true;
            } else if (pending != addedKeys.end()) {
                added[pending->second] = entryLine(key, value);
            } else {
                addedKeys.emplace(foldedKey, added.size());
                added.push_back(entryLine(key, value));
            }
        } else if (existing != NO_LINE) {
            // Every entry of the key goes, so that a duplicate left by a hand
            // edit cannot come back in its place.
            for (std::size_t i = existing; i != NO_LINE; i = section.lines[i].nextSameKey) {
                section.lines[i].removed = true;
            }
            changedExisting = removedAny = true;
        } else if (pending != addedKeys.end()) {
            added[pending->second].removed = true;
            addedKeys.erase(pending);
        }
    }
    added.erase(std::remove_if(added.begin(), added.end(), [](const Line& line) { return line.removed; }), added.end());
    if (!changedExisting && added.empty())
        return false;
    // Lines changed in place keep their places and keys: the index stands.
    if (removedAny || !added.empty())
        rebuild(section, added);
    return true;
}

void ProfileDocument::rebuild(Section& section, std::vector<Line>& added)
{
    // New entries go after the section's last line that is not blank, so
    // that blank lines before the next section stay where they are.
    std::size_t insertAfter = 0;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        if (!section.lines[i].removed && !isBlankText(section.lines[i].text))
            insertAfter = i;
    }
    std::vector<Line> lines;
    lines.reserve(section.lines.size() + added.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        if (!section.lines[i].removed)
            lines.push_back(std::move(section.lines[i]));
        if (i == insertAfter && !added.empty()) {
            if (lines.back().end == LineEnd::None)
                lines.back().end = LineEnd::CrLf;
            for (Line& line : added)
                lines.push_back(std::move(line));
        }
    }
    section.lines = std::move(lines);
    indexKeys(section);
}

std::string ProfileDocument::bytes() const
{
    static const char* const ENDINGS[] = {"", "\r", "\n", "\r\n"};
    static const char16_t* const WIDE_ENDINGS[] = {u"", u"\r", u"\n", u"\r\n"};
    const bool eightBit = m_encoding == TextEncoding::EightBit;
    // The four line ends in the file's encoding, made once for all lines.
    std::string endings[4];
    for (int end = 0; end < 4; ++end)
        endings[end] = eightBit ? ENDINGS[end] : unicode_text::bytesOf(WIDE_ENDINGS[end], m_encoding);
    std::size_t size = 0;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            size += (eightBit || !line.encoded ? line.text.size() : line.encoded->size()) + 4;
    }
    std::string out = unicode_text::byteOrderMark(m_encoding);
    out.reserve(size + out.size());
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            if (eightBit)
                out += line.text;
            else  // a changed or new line is written in the file's own encoding
                out += line.encoded ? *line.encoded : unicode_text::bytesOf(m_codePage->toUtf16(line.text), m_encoding);
            out += endings[static_cast<int>(line.end)];
        }
    }
    out += m_oddLastByte;
    return out;
}
