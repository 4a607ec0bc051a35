#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

// Lets the user change the width of a frameless window by dragging its left
// or right border, `border` pixels wide, with the left button; the height
// never changes. Over those borders the pointer shows the horizontal sizing
// shape, and nowhere else. Installed as an event filter on the window and
// its child widgets; the window keeps its minimum width.
class WidthResizer : public QObject {
public:
    WidthResizer(QWidget* window, int border);

    // Which border a point in window coordinates is on: -1 left, 1 right, 0 none.
    int borderAt(const QPoint& point) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchContents(QObject* watched, QEvent* event);
    void resizeTo(const QPoint& globalPoint);

    QWidget* m_window;
    int m_border;
    int m_dragging = 0;
    QPoint m_pressGlobal;
    QRect m_startGeometry;
};
