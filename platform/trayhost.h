#pragma once
#include "platform/scopedhook.h"

#include <QObject>

#include <functional>
#include <memory>

// What takes the program's icon in the notification area.
enum class TrayKind {
    None,            // no tray: a hidden window cannot be brought back from an icon
    Embedded,        // an XEmbed tray (or the platform's own), which reports double-clicks
    StatusNotifier,  // a status-notifier host on D-Bus, which reports single clicks only
};

// One kind of tray as the desktop offers it now, followed on its own
// channel (the session bus, the X server) without polling.
class TrayPresence : public QObject {
    Q_OBJECT
public:
    virtual bool present() const = 0;

signals:
    void changed();
};

// A status-notifier host registered with the watcher on the session bus.
std::unique_ptr<TrayPresence> watchStatusNotifierHost();
// An XEmbed tray owning the screen's tray selection.
std::unique_ptr<TrayPresence> watchEmbeddedTray();

// The tray that takes the icon now, and word when that changes: a panel that
// starts after the program, quits or is restarted. A status-notifier host
// wins over an XEmbed tray, as desktops that offer both (Xfce) draw it better.
// (Plasma, Xfce, Cinnamon, LXQt and GNOME's AppIndicator extension are
// status-notifier hosts; trayer, stalonetray and older panels XEmbed trays.)
class TrayHost : public QObject {
    Q_OBJECT
public:
    explicit TrayHost(QObject* parent = nullptr);
    ~TrayHost() override;

    TrayKind kind() const { return m_kind; }

signals:
    void kindChanged(TrayKind kind);

private:
    void update();

    std::unique_ptr<TrayPresence> m_statusNotifier;
    std::unique_ptr<TrayPresence> m_embedded;
    TrayKind m_kind = TrayKind::None;
};

// Fixes the kind every TrayHost made while it is set through ScopedHook
// reports, for tests that run without a desktop.
using TrayKindHook = std::function<TrayKind()>;
