#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/delegate.h"

class MenuBar;
class QMenuBar;
class QWidget;

// The handler that a window registered under a menu item's name, or nullptr.
using MenuHandlerLookup = std::function<std::shared_ptr<Delegate>(const std::string& itemName)>;

// The Qt menu bar that shows a menu tree in a window. A choice goes first to the handler that
// the window registered under the item's name; when there is none, or it returns false, an item
// named for one of the framework's Edit commands (framework/windowing/editcommands.h) acts on the text
// area that has the keyboard focus.
//
// An item is enabled when the window has a handler for it, or when it has AutoEnable and its
// Edit command applies to the focused text area now. An item with neither is disabled: nothing
// would answer its choice. The states are brought up to date when a menu opens and, because a
// disabled item's keyboard shortcut does not fire, whenever the focus, the focused area's text,
// selection or undo history, or the clipboard changes, and when the window becomes active.
QMenuBar* CreateMenuBarView(QWidget* frame, const MenuBar& bar, MenuHandlerLookup handlerFor);
