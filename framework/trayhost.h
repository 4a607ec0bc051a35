#pragma once

// Whether the desktop's tray is a status-notifier host on the session bus
// (the panels of Plasma, Xfce, Cinnamon, LXQt, GNOME's AppIndicator
// extension) rather than an XEmbed tray. Qt gives its tray icons to such a
// host when one is registered as the icon is made, and the host then reports
// a click as a single activation: it has no double-click. Ask it right
// before making the icon, as Qt decides at that moment.
bool trayIsStatusNotifierHost();
