// Fuzzes the readers of the editor's five fields: each reader takes the whole
// input, and the input cut at its first four 0x01 bytes fills the five
// fields of one reading. Any text is taken without a fault, and what the
// fields then show reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/editor_fields.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    static FakePlatform platform;

    DateTimeText::readClock(input);
    DateTimeText::readDayCount(input);
    DateTimeText::readDate(input);

    std::string parts[5];
    std::size_t part = 0;
    for (const char c : input) {
        if (c == '\x01' && part < 4)
            ++part;
        else
            parts[part] += c;
    }
    EditorFields editor(platform);
    EditorFields::Texts texts;
    texts.closeAfter = parts[0];
    texts.dayCount = parts[1];
    texts.repeatTime = parts[2];
    texts.date = parts[3];
    texts.timeOfDay = parts[4];
    const EditorFields::Values values = editor.read(texts);

    // The fields as the editor would show these values read back the same,
    // but for the whole days of the close-after duration, which its field
    // cannot show, and an hour that exists twice.
    const EditorFields::Texts shown = editor.format(values);
    for (const std::string* text :
         {&shown.date, &shown.timeOfDay, &shown.dayCount, &shown.repeatTime, &shown.closeAfter})
        check(text->size() <= 31);
    const EditorFields::Values back = editor.read(shown);
    check(back.repeatInterval == values.repeatInterval);
    check(back.closeAfter == values.closeAfter % 86400);
    check(back.time == values.time || static_cast<long long>(back.time) - values.time == -3600);
    return 0;
}
