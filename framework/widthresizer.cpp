#include "framework/widthresizer.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

WidthResizer::WidthResizer(QWidget* window, int border) : QObject(window), m_window(window), m_border(border)
{
    setObjectName(QStringLiteral("widthResizer"));
    window->setMouseTracking(true);
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

// The window's contents show the window's cursor unless they set their own,
// and the window sees no move once the pointer has gone on into them: the
// sizing shape is taken back as the pointer enters any of them.
void WidthResizer::watchContents(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched != m_window && event->type() == QEvent::Enter && m_dragging == 0) {
        m_window->unsetCursor();
    }
}

int WidthResizer::borderAt(const QPoint& point) const
{
    if (point.x() < m_border)
        return -1;
    if (point.x() >= m_window->width() - m_border)
        return 1;
    return 0;
}

bool WidthResizer::eventFilter(QObject* watched, QEvent* event)
{
    watchContents(watched, event);
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int side = borderAt(mouse->position().toPoint());
        if (mouse->button() != Qt::LeftButton || side == 0)
            return false;
        m_dragging = side;
        m_pressGlobal = mouse->globalPosition().toPoint();
        m_startGeometry = m_window->geometry();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_dragging != 0) {
            resizeTo(mouse->globalPosition().toPoint());
            return true;
        }
        if (borderAt(mouse->position().toPoint()) != 0)
            m_window->setCursor(Qt::SizeHorCursor);
        else
            m_window->unsetCursor();
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragging != 0 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_dragging = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void WidthResizer::resizeTo(const QPoint& globalPoint)
{
    const int dx = globalPoint.x() - m_pressGlobal.x();
    const int minimum = std::max(m_window->minimumWidth(), 2 * m_border + 1);
    QRect geometry = m_startGeometry;
    if (m_dragging > 0) {
        geometry.setWidth(std::max(minimum, m_startGeometry.width() + dx));
    } else {
        const int width = std::max(minimum, m_startGeometry.width() - dx);
        geometry.setLeft(m_startGeometry.right() + 1 - width);
    }
    m_window->setGeometry(geometry);
}
