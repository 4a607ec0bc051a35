#include "framework/messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(MessageButtons buttons)
{
    return buttons == MessageButtons::OkCancel ? QMessageBox::Question : QMessageBox::Warning;
}

}  // namespace

QString messageBoxTitle()
{
    return QCoreApplication::applicationName();
}

int showMessageBox(QWidget* parent, const QString& text, MessageButtons buttons)
{
    if (const MessageBoxHook& hook = ScopedMessageBoxHook::current())
        return hook(text, buttons);

    QMessageBox box(iconFor(buttons), messageBoxTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("orrinMessageBox"));
    if (buttons == MessageButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Ok);
    // The strip stays on top of everything; the box must not open beneath it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec() == QMessageBox::Ok ? IDOK : IDCANCEL;
}
