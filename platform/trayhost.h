#pragma once
#include "platform/scopedhook.h"

#include <functional>

// What takes the program's icon in the notification area.
enum class TrayKind {
    None,            // no tray: a hidden window cannot be brought back from an icon
    Embedded,        // an XEmbed tray (or the platform's own), which reports double-clicks
    StatusNotifier,  // a status-notifier host on D-Bus, which reports single clicks only
};

// The tray as things stand. Qt hands its icon to a status-notifier host when
// one is registered as the icon is made, so ask right before making it.
// (Plasma, Xfce, Cinnamon, LXQt and GNOME's AppIndicator extension are
// status-notifier hosts; trayer, stalonetray and older panels XEmbed trays.)
TrayKind trayKind();

// Answers trayKind() while set through ScopedHook, for tests that run
// without a desktop.
using TrayKindHook = std::function<TrayKind()>;

// Whether a status-notifier host is registered on the session bus.
bool statusNotifierHostRegistered();
