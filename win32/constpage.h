#pragma once
#include "engine/variable.h"
#include "win32/constlist.h"
#include "win32/propertypage.h"

class CConstEditDlg;

// The sheet's page "変数" (template 130): the constants as rows of a sorted
// list (name, value text, description), added, edited and deleted through
// the constant edit dialog. Between OnInitDialog and OnApply the rows are the
// page's only state; OnApply turns them back into m_constants, the later of
// two rows with one name winning.
class CConstPage : public CPropertyPage {
public:
    CConstPage();

    // Filled by the sheet's owner before the page is shown; rebuilt by OnApply.
    VariableMap m_constants;

    // The first selected row, or -1.
    int GetSelectedRow() const;
    int InsertRow(const CConstEditDlg& dialog);
    void UpdateRow(int row, const CConstEditDlg& dialog);

    void OnConstDelete();
    void OnConstEdit();
    void OnConstNew();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int command) override;
    bool OnNotify(const NMHDR& header) override;
    void OnApply() override;

private:
    void OnRclickList();

    CConstList m_list;
};
