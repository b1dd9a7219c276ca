#include "platform/win32/framework/list_ctrl.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width, int subItem)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(heading.c_str());
    if (subItem >= 0) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = subItem;
    }
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

BOOL CListCtrl::SetListColumnWidth(int width)
{
    // Some list views (Wine's) work their item size out afresh when first
    // drawn with items, dropping a width set before, and lay out their scroll
    // bars again only when resized: the list is drawn once first, and
    // resized there and back after.
    HDC dc = GetDC(m_hWnd);
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ReleaseDC(m_hWnd, dc);
    const BOOL set = SetColumnWidth(0, width);
    RECT frame;
    GetWindowRect(m_hWnd, &frame);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left + 1, frame.bottom - frame.top, flags);
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, flags);
    return set;
}

int CListCtrl::InsertItem(int index, const std::string& text, UINT state, UINT stateMask)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.state = state;
    item.stateMask = stateMask;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::InsertItem(int index, const WideText& text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int index, int subItem, int maxCharacters) const
{
    std::vector<char> text(static_cast<size_t>(maxCharacters) + 1, '\0');
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = text.data();
    item.cchTextMax = maxCharacters + 1;
    SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::string(text.data());
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT stateMask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = stateMask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::EnsureVisible(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE));
}

BOOL CListCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

HIMAGELIST CListCtrl::SetImageList(HIMAGELIST images, int which)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images)));
}
