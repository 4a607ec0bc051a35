"""A python-dbusmock template: the status-notifier watcher of a desktop panel.

It says that a host is there, so that Qt gives its tray icon to D-Bus, and
keeps the name of the item that registers in RegisteredStatusNotifierItems,
where a test finds it.
"""

import dbus

BUS_NAME = "org.kde.StatusNotifierWatcher"
MAIN_OBJ = "/StatusNotifierWatcher"
MAIN_IFACE = "org.kde.StatusNotifierWatcher"
SYSTEM_BUS = False


def load(mock, _parameters):
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({
        "IsStatusNotifierHostRegistered": dbus.Boolean(True),
        "ProtocolVersion": dbus.Int32(0),
        "RegisteredStatusNotifierItems": dbus.Array([], signature="s"),
    }, signature="sv"))
    mock.AddMethod(MAIN_IFACE, "RegisterStatusNotifierItem", "s", "",
                   f"self.Set('{MAIN_IFACE}', 'RegisteredStatusNotifierItems', "
                   "dbus.Array([args[0]], signature='s'))")
    mock.AddMethod(MAIN_IFACE, "RegisterStatusNotifierHost", "s", "", "")
