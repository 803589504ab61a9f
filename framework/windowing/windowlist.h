#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Window;

// The framework's open windows, in the order they were opened, each with the qualified name of
// its class. The one list serves both to find the window of a class and to close every window
// at shut-down.
std::vector<std::shared_ptr<Window>> OpenWindows();
void RegisterOpenWindow(const std::shared_ptr<Window>& window, std::string_view className);
void UnregisterOpenWindow(const Window& window);
bool IsOpenWindow(const Window& window);
// Holds a closed window until the event loop next turns: a window must not go inside its own
// close event.
void KeepUntilNextTurn(std::shared_ptr<Window> window);

// The open window of the class with that qualified name, visible or hidden; nullptr if none.
std::shared_ptr<Window> GetImplicitWindow(std::string_view qualifiedClassName);

// Shut-down: the window list is released by the module finalisers; the windows go with it, and
// after that no window is found. A fresh start-up makes the list anew.
void ReleaseWindowList();
bool WindowListReleased();
