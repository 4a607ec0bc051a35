#pragma once
#include <memory>

class QMenu;
class QWidget;

// Builds the first (only) popup of menu resource `menuId` (135, 136, 141,
// 142). Every item carries its command id as data and an objectName
// "command<id>"; separators sit where the resource has them. Returns null for
// an unknown menu id. Texts keep their "&" mnemonics.
std::unique_ptr<QMenu> loadMenu(int menuId, QWidget* parent = nullptr);

// Adds the exit item of the tray menu (command 57665) to a loaded menu, above
// its last separator: the grip's menu carries it where there is no tray.
void insertExitItem(QMenu& menu);

// The command id carried by an item of a loaded menu, 0 for none.
class QAction;
int commandOf(const QAction* action);
