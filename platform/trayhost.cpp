#include "platform/trayhost.h"

#include <QSystemTrayIcon>

namespace {

const TrayKind* overridden = nullptr;

}  // namespace

TrayKind trayKind()
{
    if (overridden)
        return *overridden;
    if (statusNotifierHostRegistered())
        return TrayKind::StatusNotifier;
    return QSystemTrayIcon::isSystemTrayAvailable() ? TrayKind::Embedded : TrayKind::None;
}

ScopedTrayKind::ScopedTrayKind(TrayKind kind) : m_previous(overridden), m_kind(kind)
{
    overridden = &m_kind;
}

ScopedTrayKind::~ScopedTrayKind()
{
    overridden = m_previous;
}
