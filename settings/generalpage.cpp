#include "settings/generalpage.h"

#include <QCheckBox>
#include <QGroupBox>

CGeneralPage::CGeneralPage()
    : PropertyPage(QStringLiteral("基本設定"), 227, 167), m_noDisplayCheck(nullptr)
{
    // Dialog res::IDD_GENERAL_PAGE, 227 x 167 dialog units; control res::IDC_NO_DISPLAY.
    setObjectName(QStringLiteral("generalPage"));
    const DialogTemplate& layout = dialogTemplate();

    auto* group = new QGroupBox(QStringLiteral("基本設定"), this);
    layout.place(group, 12, 12, 202, 140);

    m_noDisplayCheck = new QCheckBox(QStringLiteral("起動時に非表示"), this);
    m_noDisplayCheck->setObjectName(QStringLiteral("noDisplayCheck"));
    layout.place(m_noDisplayCheck, 28, 29, 63, 10);

    group->lower();
}

void CGeneralPage::DoDataExchange(DataExchange& dx)
{
    DDX_Check(dx, m_noDisplayCheck, m_bNoDisplay);
}
