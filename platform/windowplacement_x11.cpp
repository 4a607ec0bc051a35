#include "platform/windowplacement.h"

#include "platform/connection_x11.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>

#include <optional>

namespace {

// The top-left corner of the window's contents on its screen, as the server has it now.
std::optional<QPoint> contentsOrigin(xcb_connection_t* connection, xcb_window_t window)
{
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry)
        return std::nullopt;
    const XcbReply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, geometry->root, 0, 0), nullptr));
    if (!origin)
        return std::nullopt;
    return QPoint(origin->dst_x, origin->dst_y);
}

class PlacementFollower : public QObject, public QAbstractNativeEventFilter {
public:
    explicit PlacementFollower(QWidget* window) : QObject(window), m_window(window)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~PlacementFollower() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    PlacementFollower(const PlacementFollower&) = delete;
    PlacementFollower& operator=(const PlacementFollower&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY
            && reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == m_window->winId()) {
            // After Qt has handled the mapping itself.
            QMetaObject::invokeMethod(this, &PlacementFollower::follow, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void follow()
    {
        xcb_connection_t* connection = x11Connection();
        const std::optional<QPoint> actual = connection
            ? contentsOrigin(connection, static_cast<xcb_window_t>(m_window->winId()))
            : std::nullopt;
        if (!actual)
            return;
        const qreal ratio = m_window->devicePixelRatioF();
        const QPoint where(qRound(actual->x() / ratio), qRound(actual->y() / ratio));
        const QPoint believed = m_window->geometry().topLeft();
        if (where != believed)
            m_window->move(m_window->pos() + (where - believed));
    }

    QWidget* m_window;
};

}  // namespace

void followWindowPlacement(QWidget* window)
{
    if (x11Connection())
        new PlacementFollower(window);
}
