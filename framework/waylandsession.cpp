#include "framework/waylandsession.h"

#include <QByteArray>
#include <QtGlobal>

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
}

void preferXWayland()
{
    if (isWaylandSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}
