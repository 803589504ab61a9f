#include "framework/controls/rectcontrol.h"

#include <QWidget>

#include "framework/core/runtime.h"

void RectControl::WidgetDeleter::operator()(QWidget* widget) const { delete widget; }

RectControl::~RectControl()
{
    // Emptied first, so that the widget's going does not find it holding the widget.
    widget_.reset();
}

void RectControl::Constructor()
{
    if (parent_ == nullptr)
        throw NilObjectException("a control is constructed without a window");
    widget_.reset(CreateWidget(parent_));
    widget_->setObjectName("RectControl");
    // The window's widgets may go first (the window closed while the control is still held).
    QObject::connect(widget_.get(), &QObject::destroyed, [this] { (void)widget_.release(); });
}

void RectControl::SetName(const std::string& name)
{
    name_ = name;
    if (widget_)
        widget_->setObjectName(QString::fromStdString(name_));
}

void RectControl::SetFocus()
{
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const { return widget_ && widget_->hasFocus(); }

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
    if (!widget_)
        return;
    widget_->setObjectName(QString::fromStdString(name_));
    widget_->setGeometry(left_, top_, width_, height_);
    widget_->setVisible(visible_);
    widget_->setEnabled(enabled_);
    widget_->setToolTip(QString::fromStdString(helpTag_));
}

void RectControl::FollowResize(int32_t deltaWidth, int32_t deltaHeight)
{
    if (!widget_)
        return;
    // Locked to both edges: the control stretches; to the far edge only: it moves along.
    int32_t left = left_ + (lockRight_ && !lockLeft_ ? deltaWidth : 0);
    int32_t width = width_ + (lockRight_ && lockLeft_ ? deltaWidth : 0);
    int32_t top = top_ + (lockBottom_ && !lockTop_ ? deltaHeight : 0);
    int32_t height = height_ + (lockBottom_ && lockTop_ ? deltaHeight : 0);
    widget_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}
