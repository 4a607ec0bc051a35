#include "framework/templatedialog.h"

TemplateDialog::TemplateDialog(QWidget* parent, int width, int height)
    : QDialog(parent),
      DataExchangeHost(this),
      m_template(this, width, height)
{
    // A modal frame with a caption and a close box only; no "?" button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
}

int TemplateDialog::DoModal()
{
    if (!OnInitDialog())
        return IDCANCEL;
    return exec();
}

bool TemplateDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void TemplateDialog::OnOK()
{
    if (UpdateData(true))
        done(IDOK);
}

void TemplateDialog::reject()
{
    done(IDCANCEL);
}
