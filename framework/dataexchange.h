#pragma once
#include "platform/decimalnumber.h"

#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QString;
class QLineEdit;
class QWidget;

// One transfer between a dialog's (or a view's) controls and its fields, run by
// DataExchangeHost::UpdateData through the dialog's DoDataExchange, which
// calls the DDX_ and DDV_ functions below in its own order.
// m_bSaveAndValidate: true copies controls into fields and validates them,
// false copies fields into controls.
class DataExchange {
public:
    DataExchange(QWidget* dialog, bool saveAndValidate);

    // Puts the focus on the control (selecting an edit's text) and ends the
    // transfer by throwing DataExchangeFailure; the caller has already told
    // the user why.
    [[noreturn]] void Fail(QWidget* control);

    const bool m_bSaveAndValidate;
    QWidget* const m_pDlgWnd;
};

// Thrown by DataExchange::Fail and caught by DataExchangeHost::UpdateData.
struct DataExchangeFailure {};

// Text field held in code page 932; the control shows it in Unicode.
void DDX_Text(DataExchange& dx, QLineEdit* edit, std::string& value);

// Number field. Shown with 15 significant digits; on saving, the text must be
// a decimal number (see parseDecimalNumber), otherwise the user is told
// notANumber and the transfer fails.
void DDX_Text(DataExchange& dx, QLineEdit* edit, double& value, const QString& notANumber);

// Limits the edit to maxChars characters. A longer text that the field
// already holds is kept whole, never cut: only typing more is refused.
void DDV_MaxChars(DataExchange& dx, QLineEdit* edit, int maxChars);

// Check box: 1 when ticked, 0 when not.
void DDX_Check(DataExchange& dx, QCheckBox* box, int& value);

// Base of dialogs, property pages and views whose controls are exchanged with their
// fields through DoDataExchange.
class DataExchangeHost {
public:
    virtual ~DataExchangeHost() = default;

    // Runs DoDataExchange; false when a field failed validation (the user has
    // been told and the focus is on the field).
    bool UpdateData(bool saveAndValidate = true);

    // True while a transfer runs. Change notifications of the controls are to
    // be ignored then, so that filling a control does not start another
    // transfer from inside this one.
    bool isExchangingData() const { return m_exchanging; }

protected:
    explicit DataExchangeHost(QWidget* self) : m_self(self) {}
    DataExchangeHost(const DataExchangeHost&) = delete;
    DataExchangeHost& operator=(const DataExchangeHost&) = delete;

    virtual void DoDataExchange(DataExchange& dx) = 0;

private:
    QWidget* m_self;
    bool m_exchanging = false;
};
