#pragma once
#include "framework/dialogresult.h"
#include "framework/dataexchange.h"
#include "framework/dialogunits.h"

#include <QDialog>

// A modal dialog laid out from its template, with the platform dialog's
// sequence: DoModal runs OnInitDialog before the dialog shows and returns
// IDOK or IDCANCEL; the OK button (or Enter on it) runs OnOK, which
// transfers every field and closes only when the transfer succeeds; Cancel,
// Escape and the close box close it without a transfer.
class TemplateDialog : public QDialog, public DataExchangeHost {
public:
    int DoModal();

protected:
    // width and height: the template's size in dialog units.
    TemplateDialog(QWidget* parent, int width, int height);

    const DialogTemplate& dialogTemplate() const { return m_template; }

    // Default: fills the controls from the fields; returns true.
    virtual bool OnInitDialog();
    virtual void OnOK();

    void DoDataExchange(DataExchange&) override {}

    // Qt's accept and reject come here, so that OK goes through OnOK and
    // every other way of closing the dialog returns IDCANCEL.
    void accept() override { OnOK(); }
    void reject() override;

private:
    DialogTemplate m_template;
};
