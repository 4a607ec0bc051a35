#include "settings/constpage.h"

#include "settings/consteditdlg.h"
#include "framework/listctrl.h"
#include "res/menus.h"
#include "framework/popupmenu.h"
#include "res/resource.h"
#include "settings/valuetext.h"

#include <QMenu>
#include <QPushButton>

namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kDescriptionColumn = 2;

QPushButton* createCommandButton(QWidget* page, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, page);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CConstPage::CConstPage() : PropertyPage(QStringLiteral("変数"), 227, 167), m_list(new ListCtrl(this))
{
    // Dialog res::IDD_CONST_PAGE, 227 x 167 dialog units; list res::IDC_CONST_LIST.
    setObjectName(QStringLiteral("constPage"));
    const DialogTemplate& layout = dialogTemplate();

    m_list->setObjectName(QStringLiteral("constList"));
    layout.place(m_list, 9, 12, 207, 132);

    QPushButton* newButton = createCommandButton(this, QStringLiteral("新規作成(&N)"), "newButton");
    layout.place(newButton, 10, 148, 50, 14);
    QPushButton* deleteButton = createCommandButton(this, QStringLiteral("削除(&D)"), "deleteButton");
    layout.place(deleteButton, 64, 148, 50, 14);

    connect(newButton, &QPushButton::clicked, this, [this] { OnCommand(res::ID_CONST_NEW); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { OnCommand(res::ID_CONST_DELETE); });
    connect(m_list, &ListCtrl::rightClicked, this, &CConstPage::OnRclickList);
    connect(m_list, &ListCtrl::doubleClick, this, &CConstPage::OnDblclkList);
    connect(m_list, &ListCtrl::keyDown, this, &CConstPage::OnKeydownList);
}

bool CConstPage::OnInitDialog()
{
    PropertyPage::OnInitDialog();
    m_list->InsertColumn(kNameColumn, QStringLiteral("変数名"), 100);
    m_list->InsertColumn(kValueColumn, QStringLiteral("値"), 100);
    m_list->InsertColumn(kDescriptionColumn, QStringLiteral("説明"), 300);
    for (const auto& [name, variable] : m_constants) {
        const int row = m_list->InsertItem(0, name);
        m_list->SetItemText(row, kValueColumn, valueText(variable.value));
        m_list->SetItemText(row, kDescriptionColumn, variable.description);
    }
    return true;
}

int CConstPage::GetSelectedRow() const
{
    for (int i = 0; i < m_list->GetItemCount(); ++i) {
        if (m_list->IsItemSelected(i))
            return i;
    }
    return -1;
}

int CConstPage::InsertRow(int row, const CConstEditDlg& dialog)
{
    const int placed = m_list->InsertItem(row, dialog.m_strName);
    m_list->SetItemText(placed, kValueColumn, valueText(dialog.m_dValue));
    m_list->SetItemText(placed, kDescriptionColumn, dialog.m_strDescription);
    return placed;
}

void CConstPage::UpdateRow(int row, const CConstEditDlg& dialog)
{
    // The name goes last: the list moves a renamed row to its sorted place,
    // and the other columns must be written while the row is still at `row`.
    m_list->SetItemText(row, kValueColumn, valueText(dialog.m_dValue));
    m_list->SetItemText(row, kDescriptionColumn, dialog.m_strDescription);
    m_list->SetItemText(row, kNameColumn, dialog.m_strName);
}

bool CConstPage::OnCommand(int commandId)
{
    switch (commandId) {
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

void CConstPage::OnConstNew()
{
    CConstEditDlg dialog(this);
    if (dialog.DoModal() == res::IDOK)
        InsertRow(0, dialog);
}

void CConstPage::OnConstEdit()
{
    const int row = GetSelectedRow();
    if (row == -1)
        return;
    CConstEditDlg dialog(this);
    dialog.m_strName = m_list->GetItemText(row, kNameColumn);
    dialog.m_dValue = valueFromText(m_list->GetItemText(row, kValueColumn));
    dialog.m_strDescription = m_list->GetItemText(row, kDescriptionColumn);
    if (dialog.DoModal() == res::IDOK)
        UpdateRow(row, dialog);
}

void CConstPage::OnConstDelete()
{
    const int row = GetSelectedRow();
    if (row != -1)
        m_list->DeleteItem(row);
}

void CConstPage::OnRclickList(const QPoint& globalPosition)
{
    const int row = m_list->HitTest(m_list->viewport()->mapFromGlobal(globalPosition));
    if (row == -1) {
        trackMenu(res::IDR_CONST_MENU2, 0, globalPosition);
        return;
    }
    m_list->SelectItem(row);
    trackMenu(res::IDR_CONST_MENU1, res::ID_CONST_EDIT, globalPosition);
}

void CConstPage::trackMenu(int menuId, int defaultCommand, const QPoint& globalPosition)
{
    const std::unique_ptr<QMenu> menu = loadMenu(menuId, this);
    OnCommand(trackPopupMenu(*menu, globalPosition, defaultCommand, {}));
}

void CConstPage::OnDblclkList()
{
    OnConstEdit();
}

void CConstPage::OnKeydownList(int key)
{
    if (key == Qt::Key_Delete)
        OnConstDelete();
}

void CConstPage::OnOK()
{
    m_constants.clear();
    for (int i = 0; i < m_list->GetItemCount(); ++i) {
        Variable variable;
        variable.value = valueFromText(m_list->GetItemText(i, kValueColumn));
        variable.description = m_list->GetItemText(i, kDescriptionColumn);
        m_constants[m_list->GetItemText(i, kNameColumn)] = variable;
    }
    PropertyPage::OnOK();
}
