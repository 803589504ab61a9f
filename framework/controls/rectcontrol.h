#pragma once

#include <map>
#include <memory>
#include <string>

#include "framework/core/delegate.h"
#include "framework/core/object.h"

class QFont;
class QWidget;
class Window;

// Font sizes are in the unit the layouts were drawn in; only the default unit (0) occurs.
enum class FontUnits : uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

// A control placed in a window's content area, built on one Qt widget.
class RectControl : public Object {
public:
    ~RectControl() override;

    // Builds the widget inside the owning window; the window set by Window::New.
    void Constructor();
    void SetOwner(Window* window) { owner_ = window; }
    Window* Owner() const { return owner_; }

    std::string Name() const { return StringProperty("Name"); }
    int32_t Left() const { return IntProperty("Left"); }
    int32_t Top() const { return IntProperty("Top"); }
    int32_t Width() const { return IntProperty("Width"); }
    int32_t Height() const { return IntProperty("Height"); }
    int32_t TabIndex() const { return IntProperty("TabIndex"); }

    void SetFocus();
    bool HasFocus() const;

    bool AcceptsProperty(std::string_view name) const override;
    // The event ids this class raises, and the signature text of each.
    virtual std::string EventSignature(int32_t eventId) const;
    void AttachHandler(int32_t eventId, std::shared_ptr<Delegate> handler);
    bool HasHandler(int32_t eventId) const;
    // Calls the handler of the event (false when none), with exceptions kept from Qt.
    bool Raise(int32_t eventId, const EventArgs& args);

    QWidget* NativeWidget() const { return widget_; }
    // Whether the control can take the keyboard focus through Tab.
    virtual bool TakesTabFocus() const { return false; }

    // Keeps the control where its locks say while the window's content changes size.
    void FollowResize(int32_t deltaWidth, int32_t deltaHeight);

protected:
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Properties every control shares; subclasses handle theirs, then call this.
    void ApplyProperty(std::string_view name, const PropertyValue& value) override;
    void ApplyGeometry();
    // The font from TextFont, TextSize, Bold, Italic and Underline.
    QFont ControlFont(float textSize) const;

private:
    Window* owner_ = nullptr;
    QWidget* widget_ = nullptr;
    std::map<int32_t, std::shared_ptr<Delegate>> handlers_;
};
