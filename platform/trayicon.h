#pragma once
#include "platform/trayhost.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

class QMenu;

// What an icon needs to show itself and the program's tray menu in any tray.
struct TrayIconSetup {
    QIcon icon;
    QString toolTip;
    // The tray menu, for trays that draw it themselves; items carry their
    // command ids as data().
    std::function<std::unique_ptr<QMenu>()> loadMenu;
    std::function<bool(int command)> isEnabled;
};

// The program's icon in a tray. Mouse actions arrive as activated(); a
// command chosen from a menu that the tray drew itself as commandChosen().
class TrayIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void commandChosen(int command);
};

// Shows an icon in the tray of this kind; null for TrayKind::None.
std::unique_ptr<TrayIcon> createTrayIcon(TrayKind kind, const TrayIconSetup& setup);

// The icon on a status-notifier host, its menu published for the host to draw.
std::unique_ptr<TrayIcon> createStatusNotifierIcon(const TrayIconSetup& setup);
