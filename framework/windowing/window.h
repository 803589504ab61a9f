#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/delegate.h"
#include "framework/core/object.h"

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

    // A new control of the class for this window (not yet added).
    std::shared_ptr<RectControl> New(const ClassRecord& controlClass);
    void AddControl(const std::string& name, std::shared_ptr<RectControl> control);
    // nullptr when the window holds no control of that name.
    std::shared_ptr<RectControl> ControlByName(const std::string& name) const;
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

    bool AcceptsProperty(std::string_view name) const override;

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

protected:
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;

private:
    void ShowWhenIdle();
    void ApplyFrame();
    void ApplySizeLimits();
    void ApplyTabOrder();

    WindowWidget* widget_;
    std::vector<std::shared_ptr<RectControl>> controls_;
    std::shared_ptr<MenuBar> menuBar_;
    std::map<std::string, std::shared_ptr<Delegate>> menuHandlers_;
    bool constructed_ = false;
    bool showPending_ = false;
};
