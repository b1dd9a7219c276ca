// A list-view control of a dialog.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win32/framework/wnd.h"

class CListCtrl : public CWnd {
public:
    int InsertColumn(int column, const std::string& heading, int format, int width, int subItem = -1);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The width of the columns of a list in list mode, set once its items
    // are in.
    BOOL SetListColumnWidth(int width);
    // Inserts an item with text, image and item data; returns its index or -1.
    int InsertItem(int index, const std::string& text, int image, LPARAM data);
    int InsertItem(int index, const std::string& text, UINT state = 0, UINT stateMask = 0);
    // An item whose text is UTF-16 (the program's own texts, converted).
    int InsertItem(int index, const std::wstring& text);
    BOOL SetItem(const LVITEMA& item);
    BOOL SetItemText(int index, int subItem, const std::string& text);
    std::string GetItemText(int index, int subItem, int maxCharacters = 260) const;
    LPARAM GetItemData(int index) const;
    int GetItemCount() const;
    int GetNextItem(int start, UINT flags) const;
    BOOL SetItemState(int index, UINT state, UINT stateMask);
    BOOL EnsureVisible(int index);
    // The row whose item data is the given value, or -1.
    int FindItemByData(LPARAM data) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM parameter);
    HIMAGELIST SetImageList(HIMAGELIST images, int which);
};
