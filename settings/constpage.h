#pragma once
#include "framework/commandtarget.h"
#include "framework/propertysheet.h"
#include "engine/variable.h"

#include <QPoint>

class CConstEditDlg;
class ListCtrl;

// The sheet's page "変数": the constants as rows of a sorted list (name,
// value text, description), added, edited and deleted through the constant
// edit dialog. Between OnInitDialog and OnOK the rows are the page's only
// state; OnOK turns them back into m_constants, the later of two rows with
// one name winning.
class CConstPage : public PropertyPage, public CommandTarget {
public:
    CConstPage();

    // Filled by the sheet's owner before the page is shown; rebuilt by OnOK.
    VariableMap m_constants;

    // The first selected row, or -1.
    int GetSelectedRow() const;
    // Inserts the dialog's constant at its sorted place; returns that row.
    int InsertRow(const CConstEditDlg& dialog);
    void UpdateRow(int row, const CConstEditDlg& dialog);

    // The page's commands (res::ID_CONST_*) are run through OnCmdMsg.
    void OnConstDelete();
    void OnConstEdit();
    void OnConstNew();

    void OnRclickList(const QPoint& globalPosition);
    void OnDblclkList();
    void OnKeydownList(int key);

    ListCtrl* list() const { return m_list; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void trackMenu(int menuId, int defaultCommand, const QPoint& globalPosition);

    ListCtrl* m_list;
};
