#pragma once
#include <functional>
#include <initializer_list>
#include <map>

// An object that handles command ids (menu items, accelerators, buttons).
// Each object keeps its own map from id to handler, filled in its constructor;
// routing offers a command to a chain of objects until one of them has it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // Runs the handler for id and returns true; false when there is none.
    virtual bool OnCmdMsg(int id);
    bool HasCommandHandler(int id) const;

protected:
    CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    void OnCommand(int id, std::function<void()> handler);

private:
    std::map<int, std::function<void()>> m_commandMap;
};

// Offers id to each non-null target in order; true once one handled it.
bool routeCommand(int id, std::initializer_list<CommandTarget*> chain);

// Whether any non-null target in the chain has a handler for id (a menu item
// without one is shown disabled).
bool canRouteCommand(int id, std::initializer_list<const CommandTarget*> chain);
