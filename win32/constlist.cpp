#include "win32/constlist.h"

#include "win32/widetext.h"

#include <commctrl.h>

void CConstList::InsertColumn(const std::wstring& heading, int width)
{
    const HWND header = ListView_GetHeader(m_hWnd);
    const int index = header ? Header_GetItemCount(header) : 0;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    // The widths are pixels at 96 dots per inch.
    column.cx = MulDiv(width, static_cast<int>(GetDpiForWindow(m_hWnd)), USER_DEFAULT_SCREEN_DPI);
    ListView_InsertColumn(m_hWnd, index, &column);
}

int CConstList::InsertItem(const std::string& name)
{
    const std::wstring text = fromCp932(name);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = sortedPosition(name);
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return ListView_InsertItem(m_hWnd, &item);
}

void CConstList::setCell(int row, int column, const std::string& text)
{
    std::wstring wide = fromCp932(text);
    ListView_SetItemText(m_hWnd, row, column, wide.data());
}

void CConstList::SetItemText(int row, int column, const std::string& text)
{
    setCell(row, column, text);
    if (column != 0 || isInOrder(row))
        return;
    const bool selected = IsItemSelected(row);
    const std::string value = GetItemText(row, 1);
    const std::string description = GetItemText(row, 2);
    ListView_DeleteItem(m_hWnd, row);
    const int placed = InsertItem(text);
    setCell(placed, 1, value);
    setCell(placed, 2, description);
    if (selected)
        SelectItem(placed);
}

std::string CConstList::GetItemText(int row, int column) const
{
    // The data file may hold texts longer than the edit dialog lets one type.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<std::size_t>(
            SendMessageW(m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return toCp932(text);
        }
        text.resize(text.size() * 2);
    }
}

int CConstList::GetItemCount() const
{
    return ListView_GetItemCount(m_hWnd);
}

void CConstList::DeleteItem(int row)
{
    ListView_DeleteItem(m_hWnd, row);
}

bool CConstList::IsItemSelected(int row) const
{
    return (ListView_GetItemState(m_hWnd, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void CConstList::SelectItem(int row)
{
    ListView_SetItemState(m_hWnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int CConstList::HitTest(POINT clientPoint) const
{
    LVHITTESTINFO hit{};
    hit.pt = clientPoint;
    return ListView_HitTest(m_hWnd, &hit);
}

bool CConstList::isInOrder(int row) const
{
    // A row whose name still sorts between its neighbours keeps its place,
    // and with it its order among rows of an equal name.
    const std::string name = GetItemText(row, 0);
    return (row == 0 || GetItemText(row - 1, 0) <= name)
        && (row + 1 >= GetItemCount() || name <= GetItemText(row + 1, 0));
}

int CConstList::sortedPosition(const std::string& name) const
{
    // Upper bound by the bytes of the names: the newest of equal names comes last.
    int low = 0;
    int high = GetItemCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (name < GetItemText(middle, 0))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
