#include "framework/messagebox.h"

#include "res/resource.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <utility>

namespace {

MessageBoxHook& currentHook()
{
    static MessageBoxHook hook;
    return hook;
}

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
    if (const MessageBoxHook& hook = currentHook())
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

void setMessageBoxHook(MessageBoxHook hook)
{
    currentHook() = std::move(hook);
}

ScopedMessageBoxHook::ScopedMessageBoxHook(MessageBoxHook hook)
    : m_previous(std::move(currentHook()))
{
    currentHook() = std::move(hook);
}

ScopedMessageBoxHook::~ScopedMessageBoxHook()
{
    currentHook() = std::move(m_previous);
}
