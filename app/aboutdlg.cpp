#include "app/aboutdlg.h"

#include "res/images.h"
#include "res/resource.h"
#include "res/texts.h"
#include "orrin/version.h"

#include <QLabel>
#include <QPushButton>

namespace {

// An icon control shows the icon at the system's icon size, whatever size its
// template gives it.
constexpr int kIconPixels = 32;

QLabel* createText(QWidget* parent, const QString& text, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : TemplateDialog(parent, 217, 55)
{
    setObjectName(QStringLiteral("aboutDlg"));
    setWindowTitle(QString::fromUtf8(res::text::aboutTitle));
    // A caption with the close box only: no minimise or maximise box, which
    // window managers otherwise add to a dialog.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    createControls();
}

void CAboutDlg::createControls()
{
    const DialogTemplate& layout = dialogTemplate();

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(loadIcon(res::IDI_MAINFRAME).pixmap(kIconPixels, kIconPixels));
    layout.place(icon, 11, 17, 20, 20);
    icon->resize(kIconPixels, kIconPixels);

    layout.place(createText(this, QStringLiteral("Orrin Version " ORRIN_VERSION), "versionLabel"), 40, 10, 119, 8);
    layout.place(createText(this, QString::fromUtf8(res::text::aboutDescription), "descriptionLabel"), 40, 25, 137, 8);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    layout.place(okButton, 178, 7, 32, 14);
    connect(okButton, &QPushButton::clicked, this, &CAboutDlg::accept);
}
