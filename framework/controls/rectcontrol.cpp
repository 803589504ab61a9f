#include "framework/controls/rectcontrol.h"

#include <QPointer>
#include <QWidget>

#include "framework/core/runtime.h"

struct RectControl::WidgetRef {
    QPointer<QWidget> widget;
};

RectControl::RectControl() = default;

RectControl::~RectControl() { delete NativeWidget(); }

void RectControl::Constructor()
{
    if (parent_ == nullptr)
        throw NilObjectException("a control is constructed without a window");
    if (widget_)
        throw FrameworkError("control " + name_ + " is constructed twice");
    widget_ = std::make_unique<WidgetRef>(WidgetRef{CreateWidget(parent_)});
    widget_->widget->setObjectName("RectControl");
}

QWidget* RectControl::NativeWidget() const { return widget_ ? widget_->widget.data() : nullptr; }

void RectControl::SetName(const std::string& name)
{
    name_ = name;
    if (QWidget* widget = NativeWidget())
        widget->setObjectName(QString::fromStdString(name_));
}

void RectControl::SetFocus()
{
    if (QWidget* widget = NativeWidget())
        widget->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const
{
    QWidget* widget = NativeWidget();
    return widget != nullptr && widget->hasFocus();
}

const PropertyTable& RectControl::Properties() const
{
    // Every control takes these; its class adds its own.
    static constexpr PropertyRow kRows[] = {
        Property<&RectControl::name_>("Name"),
        Unused("Index"), // no control is part of a control array
        Property<&RectControl::left_>("Left"),
        Property<&RectControl::top_>("Top"),
        Property<&RectControl::width_>("Width"),
        Property<&RectControl::height_>("Height"),
        Property<&RectControl::lockLeft_>("LockLeft"),
        Property<&RectControl::lockTop_>("LockTop"),
        Property<&RectControl::lockRight_>("LockRight"),
        Property<&RectControl::lockBottom_>("LockBottom"),
        Unused("TabPanelIndex"), // no control lies on a tab panel
        Property<&RectControl::tabIndex_>("TabIndex"),
        Property<&RectControl::visible_>("Visible"),
        Property<&RectControl::enabled_>("Enabled"),
        Property<&RectControl::helpTag_>("HelpTag"),
        Unused("AutoDeactivate"), // the toolkit greys nothing out when the window goes to the back
        Unused("InitialParent"),  // no control sits in a container
    };
    static constexpr PropertyTable kTable{kRows};
    return kTable;
}

std::string RectControl::EventSignature(int32_t) const { return std::string(); }

void RectControl::AttachHandler(int32_t eventId, std::shared_ptr<Delegate> handler)
{
    handlers_[eventId] = std::move(handler);
}

bool RectControl::HasHandler(int32_t eventId) const { return handlers_.count(eventId) != 0; }

bool RectControl::Raise(int32_t eventId, const EventArgs& args)
{
    auto it = handlers_.find(eventId);
    if (it == handlers_.end())
        return false;
    std::shared_ptr<Delegate> handler = it->second; // the handler may replace itself
    bool result = false;
    DispatchGuarded([&] { result = handler->Invoke(this, args); });
    return result;
}

void RectControl::ShowProperties()
{
    QWidget* widget = NativeWidget();
    if (widget == nullptr)
        return;
    widget->setObjectName(QString::fromStdString(name_));
    widget->setGeometry(left_, top_, width_, height_);
    widget->setVisible(visible_);
    widget->setEnabled(enabled_);
    widget->setToolTip(QString::fromStdString(helpTag_));
}

void RectControl::FollowResize(int32_t deltaWidth, int32_t deltaHeight)
{
    QWidget* widget = NativeWidget();
    if (widget == nullptr)
        return;
    // Locked to both edges: the control stretches; to the far edge only: it moves along.
    int32_t left = left_ + (lockRight_ && !lockLeft_ ? deltaWidth : 0);
    int32_t width = width_ + (lockRight_ && lockLeft_ ? deltaWidth : 0);
    int32_t top = top_ + (lockBottom_ && !lockTop_ ? deltaHeight : 0);
    int32_t height = height_ + (lockBottom_ && lockTop_ ? deltaHeight : 0);
    widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}
