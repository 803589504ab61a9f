#include "framework/windowing/windowlist.h"

#include <QCoreApplication>

#include <algorithm>

#include "framework/controls/textarea.h"
#include "framework/core/runtime.h"
#include "framework/windowing/window.h"

namespace {
// Released at shut-down; a fresh run of start-up makes it anew.
std::vector<std::shared_ptr<Window>>* openWindows = nullptr;
// Windows the user closed, kept until the event loop next turns: a window must not go inside
// its own close event.
std::vector<std::shared_ptr<Window>>* closedWindows = nullptr;

void ReleaseClosedWindows()
{
    if (closedWindows != nullptr)
        std::vector<std::shared_ptr<Window>>().swap(*closedWindows);
}
} // namespace

std::vector<std::shared_ptr<Window>> OpenWindows()
{
    return openWindows ? *openWindows : std::vector<std::shared_ptr<Window>>();
}

void RegisterOpenWindow(const std::shared_ptr<Window>& window)
{
    if (openWindows == nullptr)
        openWindows = new std::vector<std::shared_ptr<Window>>();
    if (!IsOpenWindow(*window))
        openWindows->push_back(window);
}

void UnregisterOpenWindow(const Window& window)
{
    if (openWindows == nullptr)
        return;
    std::erase_if(*openWindows, [&](const auto& open) { return open.get() == &window; });
}

bool IsOpenWindow(const Window& window)
{
    return openWindows != nullptr &&
           std::any_of(openWindows->begin(), openWindows->end(),
                       [&](const auto& open) { return open.get() == &window; });
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view qualifiedClassName)
{
    if (openWindows == nullptr)
        return nullptr;
    for (const auto& window : *openWindows)
        if (window->Class() != nullptr && window->Class()->name == qualifiedClassName)
            return window;
    return nullptr;
}

void KeepUntilNextTurn(std::shared_ptr<Window> window)
{
    if (closedWindows == nullptr)
        closedWindows = new std::vector<std::shared_ptr<Window>>();
    if (closedWindows->empty() && QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &ReleaseClosedWindows, Qt::QueuedConnection);
    closedWindows->push_back(std::move(window));
}

void ReleaseWindowsAwaitingUpdate() { ReleaseTextAreasAwaitingUpdate(); }

void ReleaseWindowList()
{
    // Windows go while the toolkit still runs; their widgets are deleted with them.
    delete openWindows;
    openWindows = nullptr;
    delete closedWindows;
    closedWindows = nullptr;
}

bool WindowListReleased() { return openWindows == nullptr; }
