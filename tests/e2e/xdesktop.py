"""A throw-away X desktop for end-to-end tests: Xvfb, openbox, trayer.

Each Desktop starts its own X server on a display number the server picks
itself, a window manager and a tray host, and a fresh HOME, XDG directories
and working directory. It stops exactly the processes it started, by PID,
and every child is also bound to die with this process (PR_SET_PDEATHSIG),
so a test killed by CTest's timeout leaves nothing behind.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

POLL_INTERVAL = 0.02
DEFAULT_TIMEOUT = 10.0
PR_SET_PDEATHSIG = 1

_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def _raise_on_signal(signum, _frame):
    raise SystemExit(128 + signum)


signal.signal(signal.SIGTERM, _raise_on_signal)
signal.signal(signal.SIGINT, _raise_on_signal)


class TestFailure(AssertionError):
    pass


def wait_for(what, probe, timeout=DEFAULT_TIMEOUT):
    """Polls probe() until it returns a true value and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(POLL_INTERVAL)


class XLib:
    """The few Xlib calls that no command-line tool offers."""

    def __init__(self, display):
        self._x = ctypes.CDLL("libX11.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XInternAtom.restype = ctypes.c_ulong
        self._x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self._x.XGetSelectionOwner.restype = ctypes.c_ulong
        self._x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._dpy = self._x.XOpenDisplay(display.encode())
        if not self._dpy:
            raise TestFailure(f"cannot open display {display}")

    def selection_owner(self, name):
        atom = self._x.XInternAtom(self._dpy, name.encode(), 0)
        return self._x.XGetSelectionOwner(self._dpy, atom)

    def close(self):
        self._x.XCloseDisplay(self._dpy)


class Desktop:
    def __init__(self, orrin=None, with_tray=True, with_wm=True, session_bus=False):
        self.orrin = orrin
        self.with_tray = with_tray
        self.session_bus = session_bus
        self.with_wm = with_wm
        self._processes = []
        self.root = tempfile.mkdtemp(prefix="orrin-e2e-")
        self.home = self._dir("home")
        self.config_home = self._dir("config")
        self.runtime_dir = self._dir("runtime")
        os.chmod(self.runtime_dir, 0o700)
        self.cwd = self._dir("cwd")
        self.display = None
        self.env = None

    def _dir(self, name):
        path = os.path.join(self.root, name)
        os.mkdir(path)
        return path

    # --- lifetime -------------------------------------------------------

    def __enter__(self):
        try:
            self._start_x_server()
            self.env = self._make_env()
            if self.with_wm:
                self._start_window_manager()
            if self.with_tray:
                self.start_tray_host()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_exc):
        for process in reversed(self._processes):
            self._stop(process)
        self._processes.clear()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def _stop(self, process):
        if process.poll() is not None:
            return
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    def spawn(self, argv, **kwargs):
        """Starts argv in this desktop; it is stopped when the desktop ends."""
        kwargs.setdefault("env", self.env)
        kwargs.setdefault("cwd", self.cwd)
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        process = subprocess.Popen(argv, preexec_fn=_die_with_parent, **kwargs)
        self._processes.append(process)
        return process

    def _start_x_server(self):
        read_end, write_end = os.pipe()
        try:
            server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), preexec_fn=_die_with_parent,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self._processes.append(server)
            os.close(write_end)
            write_end = -1
            number = b""
            deadline = time.monotonic() + DEFAULT_TIMEOUT
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(left, 0))
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise TestFailure("Xvfb did not report its display number")
                number += chunk
        finally:
            os.close(read_end)
            if write_end >= 0:
                os.close(write_end)
        self.display = ":" + number.decode().strip()

    def _make_env(self):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("XDG_", "QT_", "DBUS_", "WAYLAND_"))
               and key not in ("XAUTHORITY", "SESSION_MANAGER")}
        env.update({
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config_home,
            "XDG_RUNTIME_DIR": self.runtime_dir,
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "QT_QPA_PLATFORM": "xcb",
            # No session bus unless asked for (the private one of dbus-run-session):
            # without it the tray icon takes the XEmbed path into trayer.
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"] if self.session_bus
                                        else "disabled:",
            "LANG": "C.UTF-8",
        })
        return env

    def _start_window_manager(self):
        self.spawn(["openbox", "--sm-disable"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the window manager", lambda: "window id" in self.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout)

    def start_tray_host(self):
        """Starts trayer; also later, as a panel that starts after the program."""
        self.spawn(["trayer", "--edge", "bottom", "--align", "right",
                    "--widthtype", "pixel", "--width", "120",
                    "--heighttype", "pixel", "--height", "32",
                    "--transparent", "false", "--SetDockType", "true"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        xlib = XLib(self.display)
        try:
            wait_for("the tray host", lambda: xlib.selection_owner("_NET_SYSTEM_TRAY_S0"))
        finally:
            xlib.close()

    def start_status_notifier_panel(self):
        """Starts lxqt-panel with only its status-notifier plugin, on the
        private session bus; also later. Returns the panel's window."""
        folder = os.path.join(self.config_home, "lxqt")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "panel.conf"), "w", encoding="utf-8") as config:
            config.write("[General]\n__userfile__=true\n\n"
                         "[panel1]\nplugins=statusnotifier\nposition=Bottom\nalignment=1\n"
                         "panelSize=32\niconSize=22\nwidth=200\nwidth-percent=false\n\n"
                         "[statusnotifier]\ntype=statusnotifier\nalignment=Right\n")
        self.panel = self.spawn(["lxqt-panel"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the panel's status-notifier host", lambda: "true" in self.watcher_property(
            "IsStatusNotifierHostRegistered"))
        return wait_for("the panel's window", lambda: self.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.panel.pid)], check=False).stdout.split())[0]

    def watcher_property(self, name):
        return self.run(["gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher",
                         "--object-path", "/StatusNotifierWatcher", "--method",
                         "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher", name],
                        check=False).stdout

    # --- tools ----------------------------------------------------------

    def run(self, argv, check=True, timeout=DEFAULT_TIMEOUT, **kwargs):
        result = subprocess.run(argv, env=self.env, cwd=self.cwd, timeout=timeout,
                                stdin=kwargs.pop("stdin", subprocess.DEVNULL),
                                capture_output=True, text=True, **kwargs)
        if check and result.returncode != 0:
            raise TestFailure(f"{' '.join(argv)} failed ({result.returncode}): {result.stderr}")
        return result

    def xdotool(self, *args):
        return self.run(["xdotool", *args]).stdout

    def set_clipboard(self, data, target="UTF8_STRING"):
        """Offers data on the CLIPBOARD; xclip serves it until another owner takes over."""
        data = data if isinstance(data, bytes) else data.encode()
        owner = self.spawn(["xclip", "-quiet", "-selection", "clipboard", "-t", target, "-i"],
                           stdin=subprocess.PIPE,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(data)
        owner.stdin.close()
        # The old owner answers until the new one has taken over: wait for our bytes.
        wait_for("xclip to own the clipboard", lambda: self.clipboard_bytes(target) == data)
        return owner

    def clipboard_bytes(self, target="UTF8_STRING"):
        """The CLIPBOARD converted to target, or None when it is not offered."""
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                                env=self.env, cwd=self.cwd, timeout=DEFAULT_TIMEOUT,
                                stdin=subprocess.DEVNULL, capture_output=True)
        return result.stdout if result.returncode == 0 else None

    def clipboard_text(self):
        data = self.clipboard_bytes()
        return None if data is None else data.decode("utf-8", "replace")

    def wait_clipboard(self, expected, timeout=DEFAULT_TIMEOUT):
        seen = []

        def probe():
            seen.append(self.clipboard_text())
            return seen[-1] == expected

        try:
            wait_for(f"the clipboard to hold {expected!r}", probe, timeout)
        except TestFailure as failure:
            raise TestFailure(f"{failure}; last seen {seen[-1]!r}") from None

    # --- the program under test ----------------------------------------

    def start_orrin(self, *args):
        """Starts the calculator; its output goes to a log shown when a test fails."""
        log = open(os.path.join(self.root, "orrin.log"), "ab")
        try:
            return self.spawn([self.orrin, *args], stdout=log, stderr=subprocess.STDOUT)
        finally:
            log.close()

    def orrin_log(self):
        path = os.path.join(self.root, "orrin.log")
        if not os.path.exists(path):
            return ""
        with open(path, "rb") as log:
            return log.read().decode("utf-8", "replace")
