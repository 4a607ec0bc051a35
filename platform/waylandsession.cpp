#include "platform/waylandsession.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
}

void preferXWayland()
{
    if (!isWaylandSession() || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
    // Runs once the application has chosen its platform: programs started
    // from here (the help viewer) choose their own.
    qAddPreRoutine([] { qunsetenv("QT_QPA_PLATFORM"); });
}
