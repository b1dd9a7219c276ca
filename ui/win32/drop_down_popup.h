// A pop-up that opens under a field of the dialog that opened it and hands a
// text back into that dialog's stored value for the field: when a choice is
// made, on Enter or Esc, or when it loses the activation; then it closes.
// The opener shows the text once it is active again.
//
// Ownership: each pop-up is created with new for one press of a drop-down
// button and deletes itself after its window is gone (CSelfDeletingDialog).
// Its window is owned by the opener's, so the system destroys it before the
// opener: the stored value it writes into always exists.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/framework/dialog.h"

class DropDownPopup : public CSelfDeletingDialog {
protected:
    DropDownPopup(UINT templateId, CWnd& opener, std::string& target);

    // Creates the pop-up's window, puts it under the field and shows it; a
    // pop-up whose window cannot be made is deleted at once.
    static void open(DropDownPopup* popup, HWND field);
    // The text to hand back now, or none.
    virtual std::optional<std::string> choice() = 0;
    // Hands the choice back, once, and closes the pop-up.
    void handBackAndClose();

    void OnOK() override;
    void OnCancel() override;
    void OnActivate(UINT state, HWND other) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::string& m_target;
    bool m_handedBack = false;
};
