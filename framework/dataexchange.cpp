#include "framework/dataexchange.h"

#include "platform/cnumber.h"
#include "platform/codepage.h"
#include "engine/formatnumber.h"
#include "framework/messagebox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QString>

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// [sign] (digits [. digits] | . digits) [(e|E) [sign] digits]
bool isDecimalNumber(std::string_view text)
{
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const std::size_t integerEnd = skipDigits(text, at);
    bool hasDigits = integerEnd > at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = skipDigits(text, at + 1);
        hasDigits = hasDigits || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!hasDigits)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const std::size_t exponentEnd = skipDigits(text, at);
        if (exponentEnd == at)
            return false;
        at = exponentEnd;
    }
    return at == text.size();
}

}  // namespace

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

std::optional<double> parseDecimalNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (!isDecimalNumber(text))
        return std::nullopt;
    const CNumber number = readCNumber(text);
    if (number.overflow)
        return std::nullopt;
    return number.value;
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
