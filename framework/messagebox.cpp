#include "framework/messagebox.h"

#include "res/resource.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString messageBoxTitle()
{
    return QCoreApplication::applicationName();
}

int showMessageBox(QWidget* parent, const QString& text, MessageButtons buttons, MessageIcon icon)
{
    if (const MessageBoxHook& hook = ScopedMessageBoxHook::current())
        return hook(text, buttons);

    QMessageBox box(toQtIcon(icon), messageBoxTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("orrinMessageBox"));
    if (buttons == MessageButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Ok);
    // The strip stays on top of everything; the box must not open beneath it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Ok ? res::IDOK : res::IDCANCEL;
}
