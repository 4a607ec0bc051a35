#include "platform/trayhost.h"

#include "platform/connection_x11.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const QByteArray& name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The root window of the display's default screen and that screen's number.
xcb_window_t defaultRoot(xcb_connection_t* connection, int& screenNumber)
{
    screenNumber = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screenNumber))
        std::free(host);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A tray announces itself by a MANAGER message to the root window when it
// takes the selection, and goes with the window that owns it.
class EmbeddedTrayPresence : public TrayPresence, public QAbstractNativeEventFilter {
public:
    EmbeddedTrayPresence() : m_connection(x11Connection())
    {
        if (!m_connection)
            return;
        int screen = 0;
        m_root = defaultRoot(m_connection, screen);
        m_selection = internAtom(m_connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen));
        m_manager = internAtom(m_connection, "MANAGER");
        if (m_root == XCB_WINDOW_NONE || m_selection == XCB_ATOM_NONE || m_manager == XCB_ATOM_NONE)
            return;
        addEventMask(m_root, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_owner = followOwner();
    }
    ~EmbeddedTrayPresence() override
    {
        if (QCoreApplication* app = QCoreApplication::instance(); app && m_connection)
            app->removeNativeEventFilter(this);
    }
    EmbeddedTrayPresence(const EmbeddedTrayPresence&) = delete;
    EmbeddedTrayPresence& operator=(const EmbeddedTrayPresence&) = delete;

    bool present() const override { return m_owner != XCB_WINDOW_NONE; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_CLIENT_MESSAGE: {
            const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (client->window == m_root && client->type == m_manager && client->format == 32
                && client->data.data32[1] == m_selection)
                refresh();
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == m_owner)
                refresh();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Adds to what this client (Qt's connection) already selects on the window.
    void addEventMask(xcb_window_t window, uint32_t mask)
    {
        const XcbReply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        if (!attributes)
            return;
        const uint32_t events = attributes->your_event_mask | mask;
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &events);
    }

    // The owner now, watched for its end; none when it vanished meanwhile.
    xcb_window_t followOwner()
    {
        const XcbReply<xcb_get_selection_owner_reply_t> reply(
            xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
        const xcb_window_t owner = reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
        if (owner == XCB_WINDOW_NONE)
            return owner;
        addEventMask(owner, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        // Asked again after the mask is set: a tray that ended in between
        // would otherwise never report its end.
        const XcbReply<xcb_get_selection_owner_reply_t> again(
            xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
        return again && again->owner == owner ? owner : xcb_window_t{XCB_WINDOW_NONE};
    }

    void refresh()
    {
        const xcb_window_t owner = followOwner();
        if (owner == m_owner)
            return;
        const bool wasPresent = present();
        m_owner = owner;
        if (present() != wasPresent)
            emit changed();
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_atom_t m_manager = XCB_ATOM_NONE;
    xcb_window_t m_owner = XCB_WINDOW_NONE;
};

}  // namespace

std::unique_ptr<TrayPresence> watchEmbeddedTray()
{
    return std::make_unique<EmbeddedTrayPresence>();
}
