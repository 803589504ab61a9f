#include "framework/windowing/windowlist.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace {

struct OpenWindow {
    std::shared_ptr<Window> window;
    std::string className;
};

struct WindowLists {
    std::optional<std::vector<OpenWindow>> open; // nullopt once released at shut-down
    std::vector<std::shared_ptr<Window>> closed;
};

WindowLists& Lists()
{
    static WindowLists lists;
    return lists;
}

void ReleaseClosedWindows() { std::vector<std::shared_ptr<Window>>().swap(Lists().closed); }

} // namespace

std::vector<std::shared_ptr<Window>> OpenWindows()
{
    std::vector<std::shared_ptr<Window>> windows;
    if (Lists().open)
        for (const OpenWindow& open : *Lists().open)
            windows.push_back(open.window);
    return windows;
}

void RegisterOpenWindow(const std::shared_ptr<Window>& window, std::string_view className)
{
    if (IsOpenWindow(*window))
        return;
    std::optional<std::vector<OpenWindow>>& open = Lists().open;
    if (!open)
        open.emplace();
    open->push_back({window, std::string(className)});
}

void UnregisterOpenWindow(const Window& window)
{
    if (Lists().open)
        std::erase_if(*Lists().open, [&](const OpenWindow& open) { return open.window.get() == &window; });
}

bool IsOpenWindow(const Window& window)
{
    const std::optional<std::vector<OpenWindow>>& open = Lists().open;
    return open && std::any_of(open->begin(), open->end(),
                               [&](const OpenWindow& each) { return each.window.get() == &window; });
}

std::shared_ptr<Window> GetImplicitWindow(std::string_view qualifiedClassName)
{
    if (Lists().open)
        for (const OpenWindow& open : *Lists().open)
            if (open.className == qualifiedClassName)
                return open.window;
    return nullptr;
}

void KeepUntilNextTurn(std::shared_ptr<Window> window)
{
    std::vector<std::shared_ptr<Window>>& closed = Lists().closed;
    if (closed.empty() && QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &ReleaseClosedWindows, Qt::QueuedConnection);
    closed.push_back(std::move(window));
}

void ReleaseWindowList()
{
    // Windows go while the toolkit still runs; their widgets are deleted with them. The list is
    // emptied before its windows go, so that a window going finds itself no longer open.
    std::optional<std::vector<OpenWindow>> open;
    open.swap(Lists().open);
    std::vector<std::shared_ptr<Window>> closed;
    closed.swap(Lists().closed);
}

bool WindowListReleased() { return !Lists().open; }
