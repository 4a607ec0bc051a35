#include "platform/taskbarhint.h"

#include "platform/connection_x11.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

bool holds(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t value)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64), nullptr);
    bool found = false;
    if (reply) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_atom_t));
        for (int i = 0; i < count && !found; ++i)
            found = atoms[i] == value;
    }
    std::free(reply);
    return found;
}

}  // namespace

void keepOutOfTaskbar(QWidget* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    if (state == XCB_ATOM_NONE)
        return;
    // The window manager clears the states whenever the window is hidden, and
    // Qt merges its own (always on top) into what it finds on an unmapped
    // window: so this runs before every showing and adds what is missing.
    const auto id = static_cast<xcb_window_t>(window->winId());
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t hint = internAtom(connection, name);
        if (hint != XCB_ATOM_NONE && !holds(connection, id, state, hint))
            xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &hint);
    }
    xcb_flush(connection);
}
