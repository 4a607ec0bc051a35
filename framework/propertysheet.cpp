#include "framework/propertysheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The sheet's frame around its pages, in dialog units of the template font.
constexpr int kMargin = 7;
constexpr int kButtonGap = 6;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

}  // namespace

PropertyPage::PropertyPage(const QString& title, int width, int height)
    : DataExchangeHost(this),
      m_title(title),
      m_template(this, width, height)
{}

PropertyPage::~PropertyPage()
{
    if (m_sheet)
        m_sheet->removePage(this);
}

bool PropertyPage::OnInitDialog()
{
    UpdateData(false);
    return true;
}

PropertySheet::PropertySheet(const QString& caption, const QString& cancelText, QWidget* parent, int selectPage)
    : QDialog(parent),
      m_tabs(new QTabWidget(this)),
      m_selectPage(selectPage)
{
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    auto* cancelButton = new QPushButton(cancelText, this);
    setObjectName(QStringLiteral("propertySheet"));
    setWindowTitle(caption);
    // A modal frame with a caption and a close box only; no "?" button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFont(dialogTemplateFont());
    m_tabs->setObjectName(QStringLiteral("propertySheetTabs"));
    okButton->setObjectName(QStringLiteral("propertySheetOk"));
    cancelButton->setObjectName(QStringLiteral("propertySheetCancel"));
    okButton->setDefault(true);

    const DialogBaseUnits units = dialogBaseUnits(font());
    const QSize buttonSize(dialogUnitsToPixelsX(kButtonWidth, units), dialogUnitsToPixelsY(kButtonHeight, units));
    okButton->setFixedSize(buttonSize);
    cancelButton->setFixedSize(buttonSize);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(dialogUnitsToPixelsX(kButtonGap, units));
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    const int marginX = dialogUnitsToPixelsX(kMargin, units);
    const int marginY = dialogUnitsToPixelsY(kMargin, units);
    layout->setContentsMargins(marginX, marginY, marginX, marginY);
    layout->setSpacing(marginY);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &PropertySheet::accept);
    connect(cancelButton, &QPushButton::clicked, this, &PropertySheet::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PropertySheet::onTabChanged);
}

PropertySheet::~PropertySheet()
{
    for (PropertyPage* each : m_pages) {
        each->m_sheet = nullptr;
        each->setParent(nullptr);
    }
}

void PropertySheet::AddPage(PropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
    const QSignalBlocker blocker(m_tabs);
    m_tabs->addTab(page, page->title());
}

int PropertySheet::DoModal()
{
    if (m_pages.empty())
        return IDCANCEL;
    const int first = m_selectPage >= 0 && m_selectPage < static_cast<int>(m_pages.size()) ? m_selectPage : 0;
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(first);
    }
    activate(first);
    return exec();
}

void PropertySheet::removePage(PropertyPage* page)
{
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    if (found == m_pages.end())
        return;
    const int index = static_cast<int>(found - m_pages.begin());
    m_pages.erase(found);
    {
        // Not a change of page by the user: no page is left or entered.
        const QSignalBlocker blocker(m_tabs);
        m_tabs->removeTab(index);
    }
    if (m_active == index)
        m_active = -1;
    else if (m_active > index)
        --m_active;
}

void PropertySheet::onTabChanged(int index)
{
    if (index == m_active)
        return;
    if (PropertyPage* leaving = page(m_active); leaving && !leaving->UpdateData(true)) {
        // The page refused to be left: its tab stays selected.
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_active);
        return;
    }
    activate(index);
}

void PropertySheet::activate(int index)
{
    m_active = index;
    PropertyPage* entering = page(index);
    if (entering && !entering->m_created) {
        entering->m_created = true;
        entering->OnInitDialog();
    }
}

PropertyPage* PropertySheet::page(int index) const
{
    const bool exists = index >= 0 && index < static_cast<int>(m_pages.size());
    return exists ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

void PropertySheet::accept()
{
    if (PropertyPage* current = page(m_active); current && !current->UpdateData(true))
        return;
    for (PropertyPage* each : m_pages) {
        if (each->m_created)
            each->OnOK();
    }
    done(IDOK);
}

void PropertySheet::reject()
{
    done(IDCANCEL);
}
