#include "framework/dataexchange.h"

#include "platform/codepage.h"
#include "engine/formatnumber.h"
#include "framework/messagebox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QString>

#include <algorithm>

DataExchange::DataExchange(QWidget* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate),
      m_pDlgWnd(dialog)
{}

void DataExchange::Fail(QWidget* control)
{
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    throw DataExchangeFailure{};
}

void DDX_Text(DataExchange& dx, QLineEdit* edit, std::string& value)
{
    if (dx.m_bSaveAndValidate) {
        value = utf8ToCp932(edit->text().toStdString());
        return;
    }
    const QString text = QString::fromStdString(cp932ToUtf8(value));
    // The edit would cut a text beyond its limit; the field's text is shown whole.
    if (text.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(text.size()));
    edit->setText(text);
}

void DDX_Text(DataExchange& dx, QLineEdit* edit, double& value, const QString& notANumber)
{
    if (!dx.m_bSaveAndValidate) {
        edit->setText(QString::fromStdString(formatNumber(value, 10)));
        return;
    }
    const std::optional<double> number = parseDecimalNumber(edit->text().toStdString());
    if (!number) {
        showMessageBox(dx.m_pDlgWnd, notANumber);
        dx.Fail(edit);
    }
    value = *number;
}

void DDV_MaxChars(DataExchange& dx, QLineEdit* edit, int maxChars)
{
    if (!dx.m_bSaveAndValidate)
        edit->setMaxLength(std::max(maxChars, static_cast<int>(edit->text().size())));
}

void DDX_Check(DataExchange& dx, QCheckBox* box, int& value)
{
    if (dx.m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

bool DataExchangeHost::UpdateData(bool saveAndValidate)
{
    const bool outer = m_exchanging;
    m_exchanging = true;
    DataExchange dx(m_self, saveAndValidate);
    bool ok = true;
    try {
        DoDataExchange(dx);
    } catch (const DataExchangeFailure&) {
        ok = false;
    }
    m_exchanging = outer;
    return ok;
}
