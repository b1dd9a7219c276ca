// The alarm editor's values, one per control, and the rules that join them
// to the alarm being edited: which field each control shows, how the flags
// are built again from the check boxes, which controls are enabled, and the
// check of the alarm's date and time at OK.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/alarm.h"
#include "platform/platform.h"
#include "ui/editor_fields.h"
#include "ui/file_choice.h"

// A check box of the editor and the flag it stands for.
struct EditorCheckBox {
    int controlId;
    std::uint32_t flag;
};

// The values the editor exchanges with its controls.
struct EditorValues {
    static const std::array<EditorCheckBox, 12> CHECK_BOXES;

    std::string message;
    std::string waveFile;
    std::string commandLine;
    std::string workingFolder;
    std::string windowSize;  // the text of the window-size box
    EditorFields::Texts texts;
    int repeatCount = 0;
    std::array<int, CHECK_BOXES.size()> checks{};  // 1 = on, in the order of CHECK_BOXES

    // The value of a check box, by its control id.
    int& check(int controlId);
    bool isChecked(int controlId) const;
};

class AlarmEditorRules {
public:
    // The window-size box's items, in the order they are added.
    static const char* const WINDOW_SIZES[3];  // "Normal", "Minimize", "Maximize"
    static const char* const ENTER_DATE;       // "Please enter a date from 1970 to 2037."
    static const char* const ENTER_TIME;       // "Please enter a time such as 7:30:00."
    static const char* const ENTER_INTERVAL;   // "Please enter a repeat interval of at least 1 second."

    // Whether a control is enabled.
    struct Enabling {
        int controlId;
        bool enabled;
    };
    // A field refused at OK and why; controlId 0 when every field is taken.
    struct Problem {
        int controlId = 0;
        std::string message;
    };

    explicit AlarmEditorRules(Platform& platform);

    EditorValues valuesOf(const Alarm& alarm);
    // The alarm as the values give it: times and spans read from the texts,
    // the flags built afresh from the boxes (ALARM_EXECUTE_PENDING and every
    // other bit without a box cleared), idle and with no process.
    Alarm alarmOf(const EditorValues& values);
    // Every control that depends on a check box, enabled or not.
    static std::vector<Enabling> enabling(const EditorValues& values);
    // The field refused at OK, if any: first a text longer than the settings
    // file keeps (it would come back cut), then a date or time that gives no
    // instant, then Repeat with an interval that does not move the alarm on.
    Problem check(const EditorValues& values);
    // A date or time that gives no instant (no numbers, the placeholder, or
    // out of range) is refused at OK.
    Problem checkInstant(const EditorValues& values);
    // What the program browse button puts into the command line field: the
    // path, in quotes when it holds a blank, so that the launch takes it whole.
    static std::string browsedProgram(const std::string& path);

    // "Minimize", "Maximize" or "Normal"; and the flag of an exact text.
    static std::string windowSizeText(std::uint32_t flags);
    static std::uint32_t windowSizeFlags(const std::string& text);

    // What the two browse buttons ask the open-file dialog for.
    static FileChoice waveFileChoice(const std::string& currentFolder);
    static FileChoice programChoice();

private:
    EditorFields m_fields;
};
