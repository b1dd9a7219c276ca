// Moving values between a dialog's members and its controls. Each Ddx call
// handles one control in the direction of the exchange; a failed conversion
// shows the framework's message, puts the focus on the field with its text
// selected, and fails the whole exchange.
#pragma once

#include <windows.h>

#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool save) : m_dialog(dialog), m_save(save) {}

    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }
    CDialog& Dialog() const { return m_dialog; }
    // Marks the field of the last conversion as wrong: message, focus, selection.
    void Fail(int controlId, const std::string& message);
    HWND Control(int id) const;
    int LastControl() const { return m_lastControl; }
    void SetLastControl(int id) { m_lastControl = id; }

private:
    CDialog& m_dialog;
    bool m_save;
    bool m_failed = false;
    int m_lastControl = 0;
};

// Binds a control object to the control with the given id (once).
void DdxControl(CDataExchange* dx, int id, CWnd& control);
void DdxText(CDataExchange* dx, int id, std::string& value);
// A field that holds the program's own text (Windows-1251, such as the
// Russian day word), shown rightly whatever the system code page is.
void DdxOwnText(CDataExchange* dx, int id, std::string& value);
// A signed whole number; blanks around it are allowed.
void DdxText(CDataExchange* dx, int id, int& value);
// A non-negative whole number.
void DdxText(CDataExchange* dx, int id, unsigned& value);
void DdxCheck(CDataExchange* dx, int id, int& value);
// The text of a combo box; putting it selects the first entry that begins
// with the text (case ignored), or sets the edit text when none does.
void DdxComboText(CDataExchange* dx, int id, std::string& value);
// Checks the last number exchanged against a range, when saving.
void DdvMinMaxUnsigned(CDataExchange* dx, unsigned value, unsigned minimum, unsigned maximum);

// The framework's messages for number fields.
extern const char* const MSG_ENTER_INTEGER;
extern const char* const MSG_ENTER_POSITIVE_INTEGER;
extern const char* const MSG_ENTER_INTEGER_BETWEEN;
