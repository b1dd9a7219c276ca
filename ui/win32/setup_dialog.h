// The modal setup dialog ("Настройка"): the voice theme, chosen from the
// folders under speak\, and the silence period with its two time fields.
// The caller takes the theme and the period over after OK, and loads the
// named theme's words after OK and Cancel alike.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/win32/framework/combo_box.h"
#include "platform/win32/framework/dialog.h"
#include "scheduler/silence.h"
#include "ui/date_time_text.h"

class SetupDialog : public CDialog {
public:
    SetupDialog(Platform& platform, const std::string& startFolder, const std::string& theme,
                const SilencePeriod& silence);

    // The theme named in the box when the values were last taken from it.
    const std::string& themeName() const { return m_themeName; }
    // The period as its fields gave it when the window closed.
    const SilencePeriod& silence() const { return m_silence; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void openTimeList(int fieldId);

    Platform& m_platform;
    DateTimeText m_texts;
    std::string m_startFolder;
    std::string m_themeName;
    SilencePeriod m_silence;
    std::string m_fromText;
    std::string m_toText;
    CComboBox m_themeBox;
};
