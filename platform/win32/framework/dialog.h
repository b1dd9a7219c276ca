// Dialog windows made from the program's dialog templates.
//
// Ownership: a window object always outlives its window. A modal dialog
// lives on the caller's stack and DoModal returns when it ends. A modeless
// window whose life is the application's is a member of the application
// object. Only a modeless window that outlives the code that opened it (a
// message window, a drop-down) owns itself: it is a CSelfDeletingDialog,
// made with new, and deletes itself after its window is gone; nothing else
// calls delete on a window.
//
// Messages reach one dispatch that routes them to the virtuals below; a
// message no virtual claims gets the system's default dialog handling. A
// virtual may destroy the window (and so delete a self-owning dialog): the
// dispatch touches no member after calling it.
#pragma once

#include <windows.h>

#include "platform/win32/framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; returns the code given to EndDialog, or -1
    // when the window could not be created.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window; true when it exists.
    BOOL Create();

    // Moves every value between the members and the controls at once:
    // save = true takes them from the controls and may fail (a message is
    // shown and the focus put on the field); false puts them into the controls.
    BOOL UpdateData(BOOL save = TRUE);
    // Ends a modal dialog's loop with the result, or destroys a modeless
    // dialog (which then deletes itself if it owns itself).
    void EndDialog(int result);

    bool IsModal() const { return m_modal; }
    UINT TemplateId() const { return m_templateId; }
    // Shows one of the program's icons on a button of the dialog (the
    // system keeps one shared copy of a resource icon).
    void SetButtonIcon(int buttonId, UINT iconId);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    virtual void OnOK();
    virtual void OnCancel();
    // A command other than IDOK and IDCANCEL; true when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(NMHDR* header, LRESULT* result);
    virtual void OnTimer(UINT_PTR id);
    // WM_ACTIVATE: state is WA_ACTIVE, WA_CLICKACTIVE or WA_INACTIVE; other
    // is the window losing or gaining the activation. The system's default
    // handling (keeping the focus control) runs as well.
    virtual void OnActivate(UINT state, HWND other);
    virtual void OnDestroy();
    // Any other message; true when handled, with its result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The last call after the window is gone.
    virtual void PostNcDestroy();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_parent;
    bool m_modal = false;
};

// A modeless dialog that owns itself.
class CSelfDeletingDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    // Creates the window of a dialog made with new; a dialog whose window
    // cannot be made is deleted at once. True when the window exists.
    static bool Open(CSelfDeletingDialog* dialog);
    void PostNcDestroy() final;
};
