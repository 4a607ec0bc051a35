#include "settings/generalpage.h"

#include "res/texts.h"

#include <QCheckBox>
#include <QGroupBox>

CGeneralPage::CGeneralPage()
    : PropertyPage(QString::fromUtf8(res::text::generalPageTitle), 227, 167), m_noDisplayCheck(nullptr)
{
    setObjectName(QStringLiteral("generalPage"));
    const DialogTemplate& layout = dialogTemplate();

    auto* group = new QGroupBox(QString::fromUtf8(res::text::generalGroup), this);
    layout.place(group, 12, 12, 202, 140);

    m_noDisplayCheck = new QCheckBox(QString::fromUtf8(res::text::noDisplay), this);
    m_noDisplayCheck->setObjectName(QStringLiteral("noDisplayCheck"));
    layout.place(m_noDisplayCheck, 28, 29, 63, 10);

    group->lower();
}

void CGeneralPage::DoDataExchange(DataExchange& dx)
{
    DDX_Check(dx, m_noDisplayCheck, m_bNoDisplay);
}
