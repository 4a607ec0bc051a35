#include "platform/trayhost.h"

#include <QSystemTrayIcon>

TrayKind trayKind()
{
    if (const TrayKindHook& answer = ScopedHook<TrayKindHook>::current())
        return answer();
    if (statusNotifierHostRegistered())
        return TrayKind::StatusNotifier;
    return QSystemTrayIcon::isSystemTrayAvailable() ? TrayKind::Embedded : TrayKind::None;
}
