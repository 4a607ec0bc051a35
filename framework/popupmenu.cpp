#include "popupmenu.h"

#include "menus.h"

#include <QAction>
#include <QMenu>
#include <utility>

namespace {

PopupMenuHook& currentHook()
{
    static PopupMenuHook hook;
    return hook;
}

void prepare(QMenu& menu, int defaultId, const std::function<bool(int)>& isEnabled)
{
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const int command = commandOf(action);
        action->setEnabled(!isEnabled || isEnabled(command));
        if (command == defaultId)
            menu.setDefaultAction(action);
    }
}

}  // namespace

int trackPopupMenu(QMenu& menu, const QPoint& pos, int defaultId,
                   const std::function<bool(int command)>& isEnabled)
{
    prepare(menu, defaultId, isEnabled);
    if (const PopupMenuHook& hook = currentHook())
        return hook(menu, pos);
    return commandOf(menu.exec(pos));
}

ScopedPopupMenuHook::ScopedPopupMenuHook(PopupMenuHook hook)
    : m_previous(std::move(currentHook()))
{
    currentHook() = std::move(hook);
}

ScopedPopupMenuHook::~ScopedPopupMenuHook()
{
    currentHook() = std::move(m_previous);
}
