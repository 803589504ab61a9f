#pragma once

#include <memory>
#include <string_view>
#include <vector>

class Window;

// The framework's open windows, in the order they were opened. The one list serves both to
// find the window of a class and to close every window at shut-down.
std::vector<std::shared_ptr<Window>> OpenWindows();
void RegisterOpenWindow(const std::shared_ptr<Window>& window);
void UnregisterOpenWindow(const Window& window);
bool IsOpenWindow(const Window& window);
// Holds a closed window until the event loop next turns.
void KeepUntilNextTurn(std::shared_ptr<Window> window);

// The open window of the class with that qualified name, visible or hidden; nullptr if none.
std::shared_ptr<Window> GetImplicitWindow(std::string_view qualifiedClassName);

// Shut-down: the text areas awaiting an update, then the window list, are released in this
// order by the module finalisers. After that no window is found.
void ReleaseWindowsAwaitingUpdate();
void ReleaseWindowList();
bool WindowListReleased();
