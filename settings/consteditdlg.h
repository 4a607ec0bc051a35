#pragma once
#include "core/constname.h"
#include "framework/templatedialog.h"

#include <string>

class QLineEdit;
class QPushButton;

// The constant edit dialog "変数": a constant's name, value and description.
// The fields are read before DoModal and after it ends with IDOK; names
// and descriptions are code page 932 text. Any value opens, infinities and NaN
// as "inf", "-inf" and "nan"; the value text is checked when OK is pressed.
class CConstEditDlg : public TemplateDialog {
public:
    explicit CConstEditDlg(QWidget* pParent);

    std::string m_strDescription;
    std::string m_strName;
    double m_dValue = 0;

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void createControls();
    void OnChangeName();
    void takeName();
    void enableOkButton();

    QPushButton* m_okButton = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_valueEdit = nullptr;
    QLineEdit* m_descriptionEdit = nullptr;
};
