#include "framework/popupmenu.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

namespace {

// Items are chosen with the left button only; a click of another button on
// the menu does nothing (outside the menu it still dismisses it).
class LeftButtonOnly : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<const QMouseEvent*>(event);
            const auto* menu = static_cast<const QWidget*>(watched);
            return mouse->button() != Qt::LeftButton && menu->rect().contains(mouse->position().toPoint());
        }
        default:
            return false;
        }
    }
};

int commandOf(const QAction* action)
{
    return action ? action->data().toInt() : 0;
}

}  // namespace

int trackPopupMenu(QMenu& menu, const QPoint& pos, int defaultId, const std::function<bool(int command)>& isEnabled)
{
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const int command = commandOf(action);
        action->setEnabled(!isEnabled || isEnabled(command));
        if (command == defaultId)
            menu.setDefaultAction(action);
    }
    LeftButtonOnly leftButtonOnly;
    menu.installEventFilter(&leftButtonOnly);
    if (const PopupMenuHook& hook = ScopedPopupMenuHook::current())
        return hook(menu, pos);
    return commandOf(menu.exec(pos));
}
