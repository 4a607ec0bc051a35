#include "framework/commandtarget.h"

#include <algorithm>
#include <utility>

bool CommandTarget::OnCmdMsg(int id)
{
    const auto it = m_commandMap.find(id);
    if (it == m_commandMap.end())
        return false;
    // Copy first: the handler may end the object's life (exit closes the frame).
    const std::function<void()> handler = it->second;
    handler();
    return true;
}

bool CommandTarget::HasCommandHandler(int id) const
{
    return m_commandMap.count(id) != 0;
}

void CommandTarget::OnCommand(int id, std::function<void()> handler)
{
    m_commandMap[id] = std::move(handler);
}

bool routeCommand(int id, std::initializer_list<CommandTarget*> chain)
{
    return std::any_of(chain.begin(), chain.end(),
                       [id](CommandTarget* target) { return target && target->OnCmdMsg(id); });
}

bool canRouteCommand(int id, std::initializer_list<const CommandTarget*> chain)
{
    return std::any_of(chain.begin(), chain.end(),
                       [id](const CommandTarget* target) { return target && target->HasCommandHandler(id); });
}
