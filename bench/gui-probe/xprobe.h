#pragma once
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

using Clock = std::chrono::steady_clock;

// A connection to the X server that watches other clients' windows and the
// clipboard. It needs no window manager; with none, a top-level window is
// mapped as soon as its program asks.
class XProbe {
public:
    XProbe();  // opens $DISPLAY; throws std::runtime_error when it cannot
    ~XProbe();
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    // Puts the pointer and the keyboard focus on the root window, far from
    // where the measured programs open their windows.
    void leaveFocusOnRoot();

    // Whether some client owns the named selection (a tray host owns _NET_SYSTEM_TRAY_S0) before the deadline.
    bool waitForOwner(const char* selection, Clock::time_point deadline);

    // Starts watching for top-level windows being mapped; call before the program starts.
    void watchTopLevelMaps();

    // The moment a top-level, non-override-redirect window of process pid was
    // mapped, or nothing when none was before the deadline.
    std::optional<Clock::time_point> waitForMap(pid_t pid, Clock::time_point deadline);

    // Offers `expression` on the CLIPBOARD, presses Ctrl+Shift+C through XTEST and
    // waits until the clipboard holds `expected`; the time from the key press
    // to that moment, or nothing before the deadline.
    std::optional<Clock::duration> hotKeyLatency(const std::string& expression, const std::string& expected,
                                                 Clock::duration timeout);

    struct State;  // the Xlib handles, kept out of this header

private:
    State* m_state;
};
