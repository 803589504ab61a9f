#pragma once

class MenuBar;
class QMenuBar;
class Window;

// The Qt menu bar that shows a menu tree in a window. A choice goes first to the handler that
// the window registered under the item's name, else to the framework's own command.
QMenuBar* CreateMenuBarView(Window& window, MenuBar& bar);
