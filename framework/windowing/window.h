#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/delegate.h"
#include "framework/core/object.h"
#include "framework/core/runtime.h"

struct ClassRecord;
class MenuBar;
class RectControl;
class QWidget;
class WindowWidget;

// A top-level window built from a layout property list. The framework keeps every open window,
// visible or hidden, from the moment its construction starts until the user closes it.
class Window : public Object {
public:
    Window();
    ~Window() override;

    // Builds the window: registers it as open, then Layout, CreateControls, the tab order, the
    // menu handlers, the first show when its list made it visible, and last the Open event.
    void Constructor();

    void Show();
    void Hide();
    // Shown, or built visible and about to come on screen.
    bool IsVisible() const;
    // Closes the window as its close button does: the Close event, then it is no longer open.
    void Close();

    // The program's hooks, called by the framework.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Window& window) { (void)window; }
    virtual void Event_Open() {}
    virtual void Event_Activate() {}
    virtual void Event_Close() {}
    virtual bool Event_KeyDown(const std::string& key) { (void)key; return false; }
    virtual bool Event_MouseDown(int32_t x, int32_t y) { (void)x; (void)y; return false; }

    // A new control of the class, its widget to be built in this window (not yet added).
    std::shared_ptr<RectControl> New(const ClassRecord& controlClass);
    void AddControl(const std::string& name, std::shared_ptr<RectControl> control);
    // nullptr when the window holds no control of that name.
    std::shared_ptr<RectControl> ControlByName(const std::string& name) const;
    // The control of that name as its class: NilObjectException when there is none, and
    // FrameworkError when it is of another class.
    template <class C>
    std::shared_ptr<C> Control(const std::string& name) const
    {
        std::shared_ptr<C> control = RuntimeCheckCast<C>(ControlByName(name));
        if (!control)
            throw NilObjectException("the window has no control " + name);
        return control;
    }
    const std::vector<std::shared_ptr<RectControl>>& Controls() const { return controls_; }

    std::shared_ptr<MenuBar> GetMenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<MenuBar> bar);
    void AddMenuHandler(const std::string& itemName, std::shared_ptr<Delegate> handler);
    // The handler registered under the item's name, or nullptr.
    std::shared_ptr<Delegate> MenuHandler(const std::string& itemName) const;

    // Size of the content area (below the menu bar).
    int32_t ContentWidth() const;
    int32_t ContentHeight() const;
    void ResizeContent(int32_t width, int32_t height);
    bool CloseButton() const { return closeButton_; }

    const PropertyTable& Properties() const override;
    void ShowProperties() override;

    // The toolkit's widgets: the top-level frame and the content area that holds the controls.
    QWidget* NativeWidget() const;
    QWidget* ContentWidget() const;

    // Called by the toolkit side.
    void DeliverActivate();
    void DeliverClose();
    bool DeliverKeyDown(const std::string& key);
    bool DeliverMouseDown(int32_t x, int32_t y);
    void LayoutControls();

    template <class W>
    std::shared_ptr<W> Self()
    {
        return std::static_pointer_cast<W>(shared_from_this());
    }

private:
    void ShowWhenIdle();
    void ShowFrame();
    void ShowSizeLimits();
    void ApplyTabOrder();

    // Declared first, so that it goes last; the controls, declared last, go first and take
    // their widgets with them while the rest of the window still stands.
    std::unique_ptr<WindowWidget> widget_;
    std::shared_ptr<MenuBar> menuBar_;
    std::map<std::string, std::shared_ptr<Delegate>> menuHandlers_;
    bool showPending_ = false;

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t minWidth_ = 0;
    int32_t minHeight_ = 0;
    int32_t maxWidth_ = 0;
    int32_t maxHeight_ = 0;
    int32_t frame_ = 0;
    bool hasBackColor_ = false;
    Color backColor_;
    std::string title_;
    bool visible_ = false;
    bool fullScreen_ = false;
    bool menuBarVisible_ = true; // a list that leaves it out hides no menu bar
    bool closeButton_ = false;
    bool resizeable_ = false;
    bool maximizeButton_ = false;
    bool minimizeButton_ = false;

    std::vector<std::shared_ptr<RectControl>> controls_;
};
