#pragma once
#include "framework/templatedialog.h"

class QLabel;
class QPushButton;

// The About box (dialog 100): the program icon, "Orrin Version <version>", one line
// saying what the program is, and OK. It has no fields; OK, Escape and the
// close box all close it.
class CAboutDlg : public TemplateDialog {
public:
    explicit CAboutDlg(QWidget* parent);

private:
    void createControls();
};
