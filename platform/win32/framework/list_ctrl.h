// A list-view control of a dialog.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win32/framework/text_encoding.h"
#include "platform/win32/framework/wnd.h"

class CListCtrl : public CWnd {
public:
    int InsertColumn(int column, const std::string& heading, int format, int width, int subItem = -1);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The width of the columns of a list in list mode, set once its items
    // are in.
    BOOL SetListColumnWidth(int width);
    int InsertItem(int index, const std::string& text, UINT state = 0, UINT stateMask = 0);
    // An item whose text is UTF-16 (the program's own texts, converted).
    int InsertItem(int index, const WideText& text);
    std::string GetItemText(int index, int subItem, int maxCharacters = 260) const;
    int GetItemCount() const;
    int GetNextItem(int start, UINT flags) const;
    BOOL SetItemState(int index, UINT state, UINT stateMask);
    BOOL EnsureVisible(int index);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    HIMAGELIST SetImageList(HIMAGELIST images, int which);
};
