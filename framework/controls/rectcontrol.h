#pragma once

#include <map>
#include <memory>
#include <string>

#include "framework/core/delegate.h"
#include "framework/core/object.h"

class QWidget;

// Control events by the ids the program attaches handlers with.
namespace EventId {
inline constexpr int32_t KeyDown = 13;
inline constexpr int32_t Action = 15;
inline constexpr int32_t MouseDown = 18;
} // namespace EventId

// Font sizes are in the unit the layouts were drawn in; only the default unit (0) occurs.
enum class FontUnits : uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

// A control placed in a window's content area, built on one Qt widget. The widget belongs to the
// content area, as every child widget does; it goes with the control, or earlier with its
// window's widgets, and the control then goes on without one.
class RectControl : public Object {
public:
    RectControl();
    ~RectControl() override;

    // Where the widget will live: the content area of the window that makes the control.
    void SetParentWidget(QWidget* parent) { parent_ = parent; }
    // Builds the widget inside the parent widget: NilObjectException when there is none, and
    // FrameworkError when the control was built before.
    void Constructor();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t TabIndex() const { return tabIndex_; }

    void SetFocus();
    bool HasFocus() const;

    const PropertyTable& Properties() const override;
    void ShowProperties() override;
    // The event ids this class raises, and the signature text of each.
    virtual std::string EventSignature(int32_t eventId) const;
    void AttachHandler(int32_t eventId, std::shared_ptr<Delegate> handler);
    bool HasHandler(int32_t eventId) const;
    // Calls the handler of the event (false when none), with exceptions kept from Qt.
    bool Raise(int32_t eventId, const EventArgs& args);

    // nullptr before Constructor and after the window's widgets have gone.
    QWidget* NativeWidget() const;
    // Whether the control can take the keyboard focus through Tab.
    virtual bool TakesTabFocus() const { return false; }

    // Keeps the control where its locks say while the window's content changes size.
    void FollowResize(int32_t deltaWidth, int32_t deltaHeight);

protected:
    virtual QWidget* CreateWidget(QWidget* parent) = 0;

private:
    // A guarded pointer to the widget, made by Constructor: it reads nullptr once the widget has
    // gone with its window.
    struct WidgetRef;

    QWidget* parent_ = nullptr;
    std::unique_ptr<WidgetRef> widget_;
    std::map<int32_t, std::shared_ptr<Delegate>> handlers_;

    std::string name_;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool lockLeft_ = false;
    bool lockTop_ = false;
    bool lockRight_ = false;
    bool lockBottom_ = false;
    int32_t tabIndex_ = 0;
    // As a new widget is: a list that leaves them out changes nothing.
    bool visible_ = true;
    bool enabled_ = true;
    std::string helpTag_;
};
