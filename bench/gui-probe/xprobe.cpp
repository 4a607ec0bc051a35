#include "xprobe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <thread>

struct XProbe::State {
    Display* display = nullptr;
    Window root = None;
    Window clipboardWindow = None;  // never mapped; only owns and receives selections
    Atom clipboard = None;
    Atom targets = None;
    Atom utf8 = None;
    Atom netWmPid = None;
    Atom received = None;
};

namespace {

// Waits until an event is queued; false when the deadline passed first.
bool waitForEvent(Display* display, Clock::time_point deadline)
{
    while (XPending(display) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left.count() + 1, 1000)));
    }
    return true;
}

long windowPid(const XProbe::State& state, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(state.display, window, state.netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data)
            == Success
        && data && format == 32 && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

void answerRequest(const XProbe::State& state, const XSelectionRequestEvent& request, const std::string& text)
{
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = request.property != None ? request.property : request.target;
    if (request.target == state.targets) {
        const Atom offered[] = {state.targets, state.utf8, XA_STRING};
        XChangeProperty(state.display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (request.target == state.utf8 || request.target == XA_STRING) {
        XChangeProperty(state.display, request.requestor, reply.property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    } else {
        reply.property = None;
    }
    XSendEvent(state.display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(state.display);
}

std::string takeReceivedText(const XProbe::State& state)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(state.display, state.clipboardWindow, state.received, 0, 65536, True, AnyPropertyType, &type,
                           &format, &count, &after, &data)
            == Success
        && data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

void pressHotKey(Display* display)
{
    const KeyCode keys[] = {XKeysymToKeycode(display, XK_Control_L), XKeysymToKeycode(display, XK_Shift_L),
                            XKeysymToKeycode(display, XK_c)};
    for (KeyCode key : keys)
        XTestFakeKeyEvent(display, key, True, CurrentTime);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        XTestFakeKeyEvent(display, *key, False, CurrentTime);
    XFlush(display);
}

}  // namespace

XProbe::XProbe() : m_state(new State)
{
    m_state->display = XOpenDisplay(nullptr);
    if (!m_state->display) {
        delete m_state;
        throw std::runtime_error("cannot open the X display");
    }
    Display* display = m_state->display;
    m_state->root = DefaultRootWindow(display);
    m_state->clipboardWindow = XCreateSimpleWindow(display, m_state->root, -10, -10, 1, 1, 0, 0, 0);
    m_state->clipboard = XInternAtom(display, "CLIPBOARD", False);
    m_state->targets = XInternAtom(display, "TARGETS", False);
    m_state->utf8 = XInternAtom(display, "UTF8_STRING", False);
    m_state->netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    m_state->received = XInternAtom(display, "GUI_PROBE_CLIPBOARD", False);
}

XProbe::~XProbe()
{
    XDestroyWindow(m_state->display, m_state->clipboardWindow);
    XCloseDisplay(m_state->display);
    delete m_state;
}

void XProbe::leaveFocusOnRoot()
{
    Display* display = m_state->display;
    const int width = DisplayWidth(display, DefaultScreen(display));
    XWarpPointer(display, None, m_state->root, 0, 0, 0, 0, width - 1, 0);
    XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

bool XProbe::waitForOwner(const char* selection, Clock::time_point deadline)
{
    const Atom atom = XInternAtom(m_state->display, selection, False);
    while (XGetSelectionOwner(m_state->display, atom) == None) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void XProbe::watchTopLevelMaps()
{
    XSelectInput(m_state->display, m_state->root, SubstructureNotifyMask);
    XSync(m_state->display, False);
}

std::optional<Clock::time_point> XProbe::waitForMap(pid_t pid, Clock::time_point deadline)
{
    while (waitForEvent(m_state->display, deadline)) {
        XEvent event;
        XNextEvent(m_state->display, &event);
        if (event.type != MapNotify || event.xmap.event != m_state->root || event.xmap.override_redirect)
            continue;
        const Clock::time_point seen = Clock::now();  // before the round trip that identifies the window
        if (windowPid(*m_state, event.xmap.window) == pid)
            return seen;
    }
    return std::nullopt;
}

std::optional<Clock::duration> XProbe::hotKeyLatency(const std::string& expression, const std::string& expected,
                                                     Clock::duration timeout)
{
    Display* display = m_state->display;
    XSetSelectionOwner(display, m_state->clipboard, m_state->clipboardWindow, CurrentTime);
    XSync(display, False);
    if (XGetSelectionOwner(display, m_state->clipboard) != m_state->clipboardWindow)
        return std::nullopt;

    const Clock::time_point pressed = Clock::now();
    pressHotKey(display);
    const Clock::time_point deadline = pressed + timeout;
    while (waitForEvent(display, deadline)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            answerRequest(*m_state, event.xselectionrequest, expression);
        } else if (event.type == SelectionClear && event.xselectionclear.selection == m_state->clipboard) {
            // The program has put its answer on the clipboard: fetch it to see that it is the result.
            XConvertSelection(display, m_state->clipboard, m_state->utf8, m_state->received, m_state->clipboardWindow,
                              CurrentTime);
            XFlush(display);
        } else if (event.type == SelectionNotify && event.xselection.selection == m_state->clipboard) {
            if (event.xselection.property != None && takeReceivedText(*m_state) == expected)
                return Clock::now() - pressed;
            return std::nullopt;
        }
    }
    return std::nullopt;
}
