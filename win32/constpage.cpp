#include "win32/constpage.h"

#include "core/valuetext.h"
#include "res/resource.h"
#include "res/texts.h"
#include "win32/consteditdlg.h"
#include "win32/popupmenu.h"
#include "win32/resourceids.h"
#include "win32/widetext.h"

#include <commctrl.h>

namespace {

constexpr int nameColumn = 0;
constexpr int valueColumn = 1;
constexpr int descriptionColumn = 2;

}  // namespace

CConstPage::CConstPage() : CPropertyPage(IDD_CONST_PAGE)
{}

bool CConstPage::OnInitDialog()
{
    m_list.Attach(GetDlgItem(m_hWnd, IDC_CONST_LIST));
    ListView_SetExtendedListViewStyle(m_list.hwnd(), LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(widen(res::text::nameHeading), 100);
    m_list.InsertColumn(widen(res::text::valueHeading), 100);
    m_list.InsertColumn(widen(res::text::descriptionHeading), 300);
    for (const auto& [name, variable] : m_constants) {
        const int row = m_list.InsertItem(name);
        m_list.SetItemText(row, valueColumn, valueText(variable.value));
        m_list.SetItemText(row, descriptionColumn, variable.description);
    }
    return true;
}

bool CConstPage::OnCommand(int command)
{
    switch (command) {
    case res::ID_CONST_DELETE:
        OnConstDelete();
        return true;
    case res::ID_CONST_EDIT:
        OnConstEdit();
        return true;
    case res::ID_CONST_NEW:
        OnConstNew();
        return true;
    default:
        return false;
    }
}

bool CConstPage::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_CONST_LIST)
        return false;
    switch (header.code) {
    case NM_RCLICK:
        OnRclickList();
        return true;
    case NM_DBLCLK:
        OnConstEdit();
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE)
            OnConstDelete();
        return true;
    default:
        return false;
    }
}

int CConstPage::GetSelectedRow() const
{
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        if (m_list.IsItemSelected(i))
            return i;
    }
    return -1;
}

int CConstPage::InsertRow(const CConstEditDlg& dialog)
{
    const int placed = m_list.InsertItem(dialog.m_strName);
    m_list.SetItemText(placed, valueColumn, valueText(dialog.m_dValue));
    m_list.SetItemText(placed, descriptionColumn, dialog.m_strDescription);
    return placed;
}

void CConstPage::UpdateRow(int row, const CConstEditDlg& dialog)
{
    // The name goes last: the list moves a renamed row to its sorted place,
    // and the other columns must be written while the row is still at `row`.
    m_list.SetItemText(row, valueColumn, valueText(dialog.m_dValue));
    m_list.SetItemText(row, descriptionColumn, dialog.m_strDescription);
    m_list.SetItemText(row, nameColumn, dialog.m_strName);
}

void CConstPage::OnConstNew()
{
    CConstEditDlg dialog(m_hWnd);
    if (dialog.DoModal() == IDOK)
        InsertRow(dialog);
}

void CConstPage::OnConstEdit()
{
    const int row = GetSelectedRow();
    if (row == -1)
        return;
    CConstEditDlg dialog(m_hWnd);
    dialog.m_strName = m_list.GetItemText(row, nameColumn);
    dialog.m_dValue = valueFromText(m_list.GetItemText(row, valueColumn));
    dialog.m_strDescription = m_list.GetItemText(row, descriptionColumn);
    if (dialog.DoModal() == IDOK)
        UpdateRow(row, dialog);
}

void CConstPage::OnConstDelete()
{
    const int row = GetSelectedRow();
    if (row != -1)
        m_list.DeleteItem(row);
}

void CConstPage::OnRclickList()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    POINT client = cursor;
    ScreenToClient(m_list.hwnd(), &client);
    const int row = m_list.HitTest(client);
    if (row == -1) {
        trackPopupMenu(res::IDR_CONST_MENU2, 0, cursor, m_hWnd);
        return;
    }
    m_list.SelectItem(row);
    trackPopupMenu(res::IDR_CONST_MENU1, res::ID_CONST_EDIT, cursor, m_hWnd);
}

void CConstPage::OnApply()
{
    m_constants.clear();
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        Variable variable;
        variable.value = valueFromText(m_list.GetItemText(i, valueColumn));
        variable.description = m_list.GetItemText(i, descriptionColumn);
        m_constants[m_list.GetItemText(i, nameColumn)] = variable;
    }
}
