"""A throw-away Wayland desktop for end-to-end tests: headless sway with
XWayland, a private D-Bus session bus and a mock GlobalShortcuts portal.

sway refuses to run as root, so the desktop and every client in it run as an
unprivileged user (nobody), in a fresh HOME and XDG runtime directory. The
test itself may run as root without a display, as CI does. Like Desktop in
xdesktop.py it stops exactly the processes it started, and every child dies
with the test (PR_SET_PDEATHSIG).
"""

import array
import glob
import json
import os
import pwd
import select
import shutil
import socket
import struct
import subprocess
import tempfile
import threading

from xdesktop import DEFAULT_TIMEOUT, TestFailure, _die_with_parent, wait_for

PORTAL_TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                               "globalshortcuts_portal.py")
SHORTCUT_ID = "evaluate-clipboard"
PRIVATE_BUS_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                                  "private-session-bus.conf")
SYSTEM_PYTHON = "/usr/bin/python3"  # the one python3-dbusmock is installed for


class RegistryFilter(threading.Thread):
    """Relays Wayland connections to the compositor and hides some of its
    globals from the clients, as a compositor without them would."""

    MAX_FDS = 28

    def __init__(self, upstream, listen_path, hidden, owner):
        super().__init__(daemon=True)
        self._upstream = upstream
        self._hidden = {name.encode() for name in hidden}
        self._listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._listener.bind(listen_path)
        os.chown(listen_path, owner.pw_uid, owner.pw_gid)
        self._listener.listen()
        self._wake_read, self._wake_write = os.pipe()
        self._links = {}  # socket -> [peer, pending bytes, pending fds, registries, towards client]

    def stop(self):
        os.write(self._wake_write, b"x")
        self.join(timeout=DEFAULT_TIMEOUT)
        for sock in list(self._links):
            sock.close()
        self._listener.close()

    def run(self):
        while True:
            ready, _, _ = select.select([self._listener, self._wake_read, *self._links], [], [])
            if self._wake_read in ready:
                return
            for sock in ready:
                if sock is self._listener:
                    self._accept()
                elif sock in self._links:
                    self._relay(sock)

    def _accept(self):
        client, _ = self._listener.accept()
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        server.connect(self._upstream)
        registries = set()
        self._links[client] = [server, b"", [], registries, False]
        self._links[server] = [client, b"", [], registries, True]

    def _close(self, sock):
        for end in (sock, self._links[sock][0]):
            self._links.pop(end, None)
            end.close()

    def _relay(self, sock):
        link = self._links[sock]
        try:
            data, ancillary, _, _ = sock.recvmsg(65536, socket.CMSG_SPACE(self.MAX_FDS * 4))
        except OSError:
            data, ancillary = b"", []
        if not data:
            self._close(sock)
            return
        for level, kind, payload in ancillary:
            if level == socket.SOL_SOCKET and kind == socket.SCM_RIGHTS:
                fds = array.array("i")
                fds.frombytes(payload[:len(payload) - len(payload) % fds.itemsize])
                link[2].extend(fds)
        link[1] += data
        out = b""
        while len(link[1]) >= 8:
            sender, size_opcode = struct.unpack_from("=II", link[1])
            size, opcode = size_opcode >> 16, size_opcode & 0xFFFF
            if size < 8 or len(link[1]) < size:
                break
            message, link[1] = link[1][:size], link[1][size:]
            if not link[4] and sender == 1 and opcode == 1:  # wl_display.get_registry
                link[3].add(struct.unpack_from("=I", message, 8)[0])
            if link[4] and sender in link[3] and opcode == 0:  # wl_registry.global
                length = struct.unpack_from("=I", message, 12)[0]
                if message[16:16 + length - 1] in self._hidden:
                    continue
            out += message
        if out:
            fds, link[2] = link[2], []
            controls = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array("i", fds))] if fds else []
            try:
                link[0].sendmsg([out], controls)
            except OSError:
                self._close(sock)
            for fd in fds:
                os.close(fd)


class SwayDesktop:
    def __init__(self, orrin=None, hide_data_control=False, with_portal=True):
        self.orrin = orrin
        self.hide_data_control = hide_data_control
        self.with_portal = with_portal
        self.user = pwd.getpwnam("nobody")
        self._processes = []
        self._filter = None
        self.root = tempfile.mkdtemp(prefix="orrin-wl-e2e-")
        os.chmod(self.root, 0o755)
        self.home = self._dir("home")
        self.runtime_dir = self._dir("runtime", 0o700)
        self.cwd = self._dir("cwd")
        self.env = None
        self.client_env = None

    def _dir(self, name, mode=0o755):
        path = os.path.join(self.root, name)
        os.mkdir(path, mode)
        os.chown(path, self.user.pw_uid, self.user.pw_gid)
        return path

    # --- lifetime -------------------------------------------------------

    def __enter__(self):
        try:
            self.env = {
                "PATH": "/usr/bin:/bin",
                "HOME": self.home,
                "XDG_RUNTIME_DIR": self.runtime_dir,
                "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
                "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
                "LANG": "C.UTF-8",
            }
            self._start_bus()
            self._start_sway()
            if self.with_portal:
                self._start_portal()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_exc):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._processes.clear()
        if self._filter:
            self._filter.stop()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def spawn(self, argv, env=None, **kwargs):
        """Starts argv as the desktop's user; it is stopped when the desktop ends."""
        kwargs.setdefault("cwd", self.cwd)
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=env or self.client_env, preexec_fn=_die_with_parent,
                                   user=self.user.pw_uid, group=self.user.pw_gid, extra_groups=[], **kwargs)
        self._processes.append(process)
        return process

    def run(self, argv, check=True, **kwargs):
        result = subprocess.run(argv, env=self.client_env, cwd=self.cwd, timeout=DEFAULT_TIMEOUT,
                                stdin=kwargs.pop("stdin", subprocess.DEVNULL), capture_output=True, text=True,
                                user=self.user.pw_uid, group=self.user.pw_gid, extra_groups=[], **kwargs)
        if check and result.returncode != 0:
            raise TestFailure(f"{' '.join(argv)} failed ({result.returncode}): {result.stderr}")
        return result

    def _start_bus(self):
        # The system's service files would let the bus start a real desktop
        # portal on demand; these cases choose their portal themselves.
        bus = self.spawn(["dbus-daemon", f"--config-file={PRIVATE_BUS_CONFIG}", "--nofork", "--nopidfile", "--print-address=1"],
                         env=self.env, stdout=subprocess.PIPE)
        ready, _, _ = select.select([bus.stdout], [], [], DEFAULT_TIMEOUT)
        address = bus.stdout.readline().decode().strip() if ready else ""
        if not address:
            raise TestFailure("the session bus did not report its address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_sway(self):
        config = os.path.join(self.root, "sway.config")
        with open(config, "w", encoding="utf-8") as out:
            out.write("xwayland enable\n")
        # XWayland, run by our user, needs this directory as X servers leave it.
        try:
            os.mkdir("/tmp/.X11-unix")
            os.chmod("/tmp/.X11-unix", 0o1777)
        except FileExistsError:
            pass
        sway_env = dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        log = open(os.path.join(self.root, "sway.log"), "wb")
        try:
            self.spawn(["sway", "-c", config], env=sway_env, stdout=log, stderr=subprocess.STDOUT)
        finally:
            log.close()
        sockets = wait_for("sway's sockets", lambda: self._sway_sockets())
        wayland, ipc = sockets
        self.env.update({"WAYLAND_DISPLAY": wayland, "SWAYSOCK": ipc, "XDG_SESSION_TYPE": "wayland"})
        self.client_env = dict(self.env)
        wait_for("sway's IPC", lambda: self.run(["swaymsg", "-t", "get_version"], check=False).returncode == 0)
        # XWayland starts with the first X client; sway tells its children the display.
        self.client_env["DISPLAY"] = self._xwayland_display()
        if self.hide_data_control:
            name = "wayland-filtered"
            self._filter = RegistryFilter(os.path.join(self.runtime_dir, wayland),
                                          os.path.join(self.runtime_dir, name),
                                          ["zwlr_data_control_manager_v1"], self.user)
            self._filter.start()
            self.orrin_wayland_display = name
        else:
            self.orrin_wayland_display = wayland

    def _sway_sockets(self):
        wayland = [os.path.basename(path) for path in glob.glob(os.path.join(self.runtime_dir, "wayland-*"))
                   if not path.endswith(".lock")]
        ipc = glob.glob(os.path.join(self.runtime_dir, "sway-ipc.*.sock"))
        return (wayland[0], ipc[0]) if wayland and ipc else None

    def _xwayland_display(self):
        path = os.path.join(self.runtime_dir, "display")
        self.run(["swaymsg", "exec", f"printenv DISPLAY > {path}.part && mv {path}.part {path}"])

        def read():
            if not os.path.exists(path):
                return None
            with open(path, encoding="utf-8") as text:
                return text.read().strip()
        return wait_for("XWayland's display", read)

    def _start_portal(self):
        template = os.path.join(self.root, "portal.py")
        shutil.copy(PORTAL_TEMPLATE, template)
        os.chmod(template, 0o644)
        log = open(os.path.join(self.root, "portal.log"), "wb")
        try:
            self.spawn([SYSTEM_PYTHON, "-m", "dbusmock", "--template", template],
                       stdout=log, stderr=subprocess.STDOUT)
        finally:
            log.close()
        wait_for("the portal on the bus", lambda: "org.freedesktop.portal.Desktop" in self.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.ListNames"]).stdout)

    # --- tools ----------------------------------------------------------

    def activate_shortcut(self):
        """The portal's Activated, as the user pressing the bound key; returns once
        it reached a program that has bound the key."""
        def activated():
            reply = self.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.portal.Desktop",
                              "/org/freedesktop/portal/desktop", "org.freedesktop.DBus.Mock.Activate",
                              f"string:{SHORTCUT_ID}"]).stdout
            return reply.split()[-1] != "0"
        wait_for("a program bound to the portal's shortcut", activated)

    def tree(self):
        return json.loads(self.run(["swaymsg", "-r", "-t", "get_tree"]).stdout)

    def windows(self):
        """Every mapped window: the tree's leaves that carry a process."""
        found = []

        def walk(node):
            if node.get("pid"):
                found.append(node)
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)
        walk(self.tree())
        return found

    def focused_window(self):
        return next((window for window in self.windows() if window.get("focused")), None)

    def set_clipboard(self, text):
        """wl-copy serves text until another owner takes over."""
        owner = self.spawn(["wl-copy", "--foreground", text])
        wait_for(f"the clipboard to hold {text!r}", lambda: self.clipboard_text() == text)
        return owner

    def clipboard_text(self):
        result = self.run(["wl-paste", "--no-newline"], check=False)
        return result.stdout if result.returncode == 0 else None

    def wait_clipboard(self, expected):
        seen = []

        def probe():
            seen.append(self.clipboard_text())
            return seen[-1] == expected
        try:
            wait_for(f"the clipboard to hold {expected!r}", probe)
        except TestFailure as failure:
            raise TestFailure(f"{failure}; last seen {seen[-1]!r}") from None

    def start_orrin(self, *args, **env_changes):
        """Starts the calculator, copied where the desktop's user may run it, as a
        user would in this session: by default with no Qt platform chosen."""
        program = os.path.join(self.root, "orrin")
        shutil.copy(self.orrin, program)
        env = dict(self.client_env, WAYLAND_DISPLAY=self.orrin_wayland_display, **env_changes)
        log = open(os.path.join(self.root, "orrin.log"), "ab")
        try:
            return self.spawn([program, *args], env=env, stdout=log, stderr=subprocess.STDOUT)
        finally:
            log.close()

    def logs(self):
        text = ""
        for name in ("orrin.log", "portal.log", "sway.log"):
            path = os.path.join(self.root, name)
            if os.path.exists(path):
                with open(path, "rb") as log:
                    text += f"--- {name}\n" + log.read().decode("utf-8", "replace")[-4000:]
        return text
