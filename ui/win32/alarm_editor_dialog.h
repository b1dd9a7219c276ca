// The modal "Edit Alarm" dialog: one alarm's fields in their controls. It
// works on a copy: the caller gives the alarm, runs the dialog and takes the
// rebuilt alarm back only after OK.
#pragma once

#include "model/alarm.h"
#include "platform/platform.h"
#include "platform/win32/framework/combo_box.h"
#include "platform/win32/framework/dialog.h"
#include "ui/alarm_editor_rules.h"
#include "ui/time_list.h"

class AlarmEditorDialog : public CDialog {
public:
    AlarmEditorDialog(Platform& platform, const Alarm& alarm);

    // The alarm as the dialog's values give it, rebuilt when its window closed.
    const Alarm& alarm() const { return m_alarm; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void setIcons();
    void applyEnabling();
    void checkBoxClicked();
    void browse(int fieldId, const FileChoice& choice);
    void openCalendar();

    Platform& m_platform;
    AlarmEditorRules m_rules;
    Alarm m_alarm;
    EditorValues m_values;
    CComboBox m_windowSize;
};
