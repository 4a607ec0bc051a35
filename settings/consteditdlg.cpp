#include "settings/consteditdlg.h"

#include "framework/messagebox.h"
#include "res/resource.h"
#include "res/texts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

// Turns letters to capitals as they are typed or pasted, like an upper-case
// edit control; the text is otherwise accepted as it is.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (QChar& c : input)
            c = c.toUpper();
        return Acceptable;
    }
};

QString messageFor(ConstNameCheck check)
{
    if (check == ConstNameCheck::LeadingDigit)
        return QString::fromUtf8(res::text::leadingDigitInName);
    return QString::fromUtf8(res::text::badCharacterInName);
}

QLineEdit* createEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* createLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CConstEditDlg::CConstEditDlg(QWidget* pParent) : TemplateDialog(pParent, 143, 139)
{
    setObjectName(QStringLiteral("constEditDlg"));
    setWindowTitle(QString::fromUtf8(res::text::constEditTitle));
    createControls();
}

void CConstEditDlg::createControls()
{
    // Created in the template's order, which is also the tab order.
    const DialogTemplate& layout = dialogTemplate();
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    layout.place(m_okButton, 21, 117, 50, 14);

    auto* group = new QGroupBox(QString::fromUtf8(res::text::propertiesGroup), this);
    layout.place(group, 6, 6, 132, 87);

    layout.place(createLabel(this, QString::fromUtf8(res::text::nameLabel)), 21, 27, 22, 8);
    m_nameEdit = createEdit(this, "nameEdit");
    m_nameEdit->setValidator(new UpperCaseValidator(m_nameEdit));
    layout.place(m_nameEdit, 45, 24, 78, 14);

    layout.place(createLabel(this, QString::fromUtf8(res::text::valueLabel)), 21, 48, 8, 8);
    m_valueEdit = createEdit(this, "valueEdit");
    layout.place(m_valueEdit, 45, 45, 78, 14);

    layout.place(createLabel(this, QString::fromUtf8(res::text::descriptionLabel)), 21, 69, 15, 8);
    m_descriptionEdit = createEdit(this, "descriptionEdit");
    layout.place(m_descriptionEdit, 45, 66, 78, 14);

    auto* cancelButton = new QPushButton(QString::fromUtf8(res::text::constEditCancel), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    layout.place(cancelButton, 78, 117, 50, 14);

    // The group box is drawn behind the controls inside it.
    group->lower();

    connect(m_okButton, &QPushButton::clicked, this, &CConstEditDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CConstEditDlg::reject);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &CConstEditDlg::OnChangeName);
}

void CConstEditDlg::DoDataExchange(DataExchange& dx)
{
    DDX_Text(dx, m_descriptionEdit, m_strDescription);
    DDV_MaxChars(dx, m_descriptionEdit, maxConstTextLength);
    DDX_Text(dx, m_nameEdit, m_strName);
    DDV_MaxChars(dx, m_nameEdit, maxConstTextLength);
    DDX_Text(dx, m_valueEdit, m_dValue, QString::fromUtf8(res::text::enterNumber));
}

bool CConstEditDlg::OnInitDialog()
{
    TemplateDialog::OnInitDialog();
    takeName();
    return true;
}

void CConstEditDlg::OnChangeName()
{
    // Filling the controls changes the name too; that is not the user's change.
    if (isExchangingData())
        return;
    takeName();
}

void CConstEditDlg::takeName()
{
    // The name only: the value is checked when the user presses OK, so that a
    // stored value the dialog cannot take back (inf, nan) neither keeps the
    // dialog from opening nor is reported at every keystroke in the name.
    DataExchange dx(this, true);
    DDX_Text(dx, m_nameEdit, m_strName);
    enableOkButton();
}

void CConstEditDlg::enableOkButton()
{
    m_okButton->setEnabled(!m_strName.empty());
}

void CConstEditDlg::OnOK()
{
    const ConstNameCheck check = checkConstName(m_strName);
    if (check != ConstNameCheck::Ok) {
        showMessageBox(this, messageFor(check));
        return;
    }
    TemplateDialog::OnOK();
}
