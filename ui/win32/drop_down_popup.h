// A pop-up that opens under a field of the dialog that opened it and puts a
// text into that field: when a choice is made, on Enter or Esc, or when it
// loses the activation; then it closes. The text goes into the control at
// once, as typing would put it there, so the opener never has to show its
// stored values again (which would throw away what was typed since).
//
// Ownership: each pop-up is created with new for one press of a drop-down
// button and deletes itself after its window is gone (CSelfDeletingDialog).
// Its window is owned by the opener's, so the system destroys it before the
// opener and the field.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/framework/dialog.h"

class DropDownPopup : public CSelfDeletingDialog {
protected:
    DropDownPopup(UINT templateId, CWnd& opener, HWND field);

    // Creates the pop-up's window, puts it under its field and shows it; a
    // pop-up whose window cannot be made is deleted at once.
    static void open(DropDownPopup* popup);
    // The field's text, and putting a text into it; a field of the program's
    // own Windows-1251 text (the day count) overrides both.
    virtual std::string fieldText();
    virtual void setFieldText(const std::string& text);
    HWND field() const { return m_field; }
    // The text to hand back now, or none.
    virtual std::optional<std::string> choice() = 0;
    // Hands the choice back, once, and closes the pop-up.
    void handBackAndClose();

    void OnOK() override;
    void OnCancel() override;
    void OnActivate(UINT state, HWND other) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND m_field;
    bool m_handedBack = false;
};
