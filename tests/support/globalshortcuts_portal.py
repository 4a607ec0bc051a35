'''python3-dbusmock template: a desktop portal with the GlobalShortcuts interface.

Parameters: "shortcuts" false leaves the interface out (only the registry is
there); "silent" true never answers a request; "refuse" true answers
BindShortcuts with response 2. The trigger_description reported is the
preferred trigger sent. org.freedesktop.DBus.Mock.Activate(id)
emits Activated for every session whose binding of id has been answered and
returns how many there were.
"unassigned" true: BindShortcuts answers an empty list; Assign(id, trigger) emits ShortcutsChanged.
'''

import dbus
from dbusmock import MOCK_IFACE, mockobject
from gi.repository import GLib

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'
SYSTEM_BUS = False

REQUEST_IFACE = 'org.freedesktop.portal.Request'
SESSION_IFACE = 'org.freedesktop.portal.Session'
REGISTRY_IFACE = 'org.freedesktop.host.portal.Registry'
ANSWER_DELAY_MS = 20


def load(mock, parameters):
    mock.has_shortcuts = parameters.get('shortcuts', True)
    mock.silent = parameters.get('silent', False)
    mock.refuse = parameters.get('refuse', False)
    mock.unassigned = parameters.get('unassigned', False)
    mock.app_id = ''
    mock.bound = {}  # session path -> shortcut ids
    if mock.has_shortcuts:
        mock.AddProperty(MAIN_IFACE, 'version', dbus.UInt32(1))


def _require_interface(mock):
    if not mock.has_shortcuts:
        raise dbus.exceptions.DBusException('No such interface', name='org.freedesktop.DBus.Error.UnknownMethod')


def _answer(mock, sender, token, code, results, then=None):
    '''Emits Response on the request object the client expects, a moment after the call returns.'''
    path = f'{MAIN_OBJ}/request/{sender[1:].replace(".", "_")}/{token}'
    mock.AddObject(path, REQUEST_IFACE, {}, [('Close', '', '', '')])
    request = mockobject.objects[path]

    def emit():
        if not mock.silent:
            request.EmitSignal(REQUEST_IFACE, 'Response', 'ua{sv}', [dbus.UInt32(code), results])
            if then:
                then()
        mock.RemoveObject(path)
        return False

    GLib.timeout_add(ANSWER_DELAY_MS, emit)
    return dbus.ObjectPath(path)


@dbus.service.method(REGISTRY_IFACE, in_signature='sa{sv}', out_signature='')
def Register(self, app_id, _options):
    self.app_id = app_id


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
def CreateSession(self, options, sender=None):
    _require_interface(self)
    if not self.app_id:
        raise dbus.exceptions.DBusException('An app id is required', name='org.freedesktop.portal.Error.Failed')
    session = f'{MAIN_OBJ}/session/{sender[1:].replace(".", "_")}/{options["session_handle_token"]}'
    self.AddObject(session, SESSION_IFACE, {}, [('Close', '', '', '')])
    return _answer(self, sender, options['handle_token'], 0, {'session_handle': dbus.String(session)})


@dbus.service.method(MAIN_IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o', sender_keyword='sender')
def BindShortcuts(self, session, shortcuts, _parent_window, options, sender=None):
    _require_interface(self)
    if self.refuse:
        return _answer(self, sender, options['handle_token'], 2, {})
    answered = []
    for shortcut_id, properties in shortcuts:
        trigger = properties.get('preferred_trigger', '')
        answered.append((shortcut_id, {'description': properties['description'],
                                       'trigger_description': dbus.String(trigger)}))
    ids = [str(shortcut_id) for shortcut_id, _ in shortcuts]

    def bind():
        self.bound[session] = ids

    return _answer(self, sender, options['handle_token'], 0,
                   {'shortcuts': dbus.Array([] if self.unassigned else answered, signature='(sa{sv})')}, bind)


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='u')
def Activate(self, shortcut_id):
    sessions = [session for session, ids in self.bound.items() if shortcut_id in ids]
    for session in sessions:
        self.EmitSignal(MAIN_IFACE, 'Activated', 'osta{sv}',
                        [dbus.ObjectPath(session), shortcut_id, dbus.UInt64(0), {}])
    return dbus.UInt32(len(sessions))


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='u')
def Assign(self, shortcut_id, trigger):
    sessions = [session for session, ids in self.bound.items() if shortcut_id in ids]
    for session in sessions:
        self.EmitSignal(MAIN_IFACE, 'ShortcutsChanged', 'oa(sa{sv})', [session, [(shortcut_id, {'trigger_description': trigger})]])
    return dbus.UInt32(len(sessions))
