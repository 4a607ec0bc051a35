#include "settings/constpage.h"

#include "settings/consteditdlg.h"
#include "framework/listctrl.h"
#include "res/menus.h"
#include "framework/popupmenu.h"
#include "res/resource.h"
#include "core/valuetext.h"
#include "res/texts.h"

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

CConstPage::CConstPage()
    : PropertyPage(QString::fromUtf8(res::text::constPageTitle), 227, 167),
      m_list(new ListCtrl(this))
{
    setObjectName(QStringLiteral("constPage"));
    const DialogTemplate& layout = dialogTemplate();

    m_list->setObjectName(QStringLiteral("constList"));
    layout.place(m_list, 9, 12, 207, 132);

    QPushButton* newButton = createCommandButton(this, QString::fromUtf8(res::text::newConstButton), "newButton");
    layout.place(newButton, 10, 148, 50, 14);
    QPushButton* deleteButton = createCommandButton(this, QString::fromUtf8(res::text::deleteConstButton),
                                                    "deleteButton");
    layout.place(deleteButton, 64, 148, 50, 14);

    connect(newButton, &QPushButton::clicked, this, [this] { OnCmdMsg(res::ID_CONST_NEW); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { OnCmdMsg(res::ID_CONST_DELETE); });
    OnCommand(res::ID_CONST_DELETE, [this] { OnConstDelete(); });
    OnCommand(res::ID_CONST_EDIT, [this] { OnConstEdit(); });
    OnCommand(res::ID_CONST_NEW, [this] { OnConstNew(); });
    connect(m_list, &ListCtrl::rightClicked, this, &CConstPage::OnRclickList);
    connect(m_list, &ListCtrl::doubleClick, this, &CConstPage::OnDblclkList);
    connect(m_list, &ListCtrl::keyDown, this, &CConstPage::OnKeydownList);
}

bool CConstPage::OnInitDialog()
{
    PropertyPage::OnInitDialog();
    m_list->InsertColumn(QString::fromUtf8(res::text::nameHeading), 100);
    m_list->InsertColumn(QString::fromUtf8(res::text::valueHeading), 100);
    m_list->InsertColumn(QString::fromUtf8(res::text::descriptionHeading), 300);
    for (const auto& [name, variable] : m_constants) {
        const int row = m_list->InsertItem(name);
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

int CConstPage::InsertRow(const CConstEditDlg& dialog)
{
    const int placed = m_list->InsertItem(dialog.m_strName);
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

void CConstPage::OnConstNew()
{
    CConstEditDlg dialog(this);
    if (dialog.DoModal() == IDOK)
        InsertRow(dialog);
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
    if (dialog.DoModal() == IDOK)
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
    OnCmdMsg(trackPopupMenu(*menu, globalPosition, defaultCommand, {}));
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
