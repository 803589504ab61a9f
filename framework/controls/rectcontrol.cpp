#include "framework/controls/rectcontrol.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

#include <array>

#include "framework/controls/canvas.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/runtime.h"
#include "framework/windowing/window.h"

namespace {

constexpr std::array<std::string_view, 12> kCommonProperties = {
    "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
    "TabPanelIndex", "TabIndex"};

} // namespace

RectControl::~RectControl() = default; // the widget belongs to the window's widget tree

void RectControl::Constructor()
{
    if (owner_ == nullptr)
        throw NilObjectException("a control is constructed without a window");
    widget_ = CreateWidget(owner_->ContentWidget());
    widget_->setObjectName("RectControl");
}

void RectControl::SetFocus()
{
    if (widget_ != nullptr)
        widget_->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const { return widget_ != nullptr && widget_->hasFocus(); }

bool RectControl::AcceptsProperty(std::string_view name) const
{
    for (std::string_view common : kCommonProperties)
        if (common == name)
            return true;
    return false;
}

std::string RectControl::EventSignature(int32_t eventId) const
{
    (void)eventId;
    return std::string();
}

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

void RectControl::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    if (widget_ == nullptr)
        return;
    if (name == "Left" || name == "Top" || name == "Width" || name == "Height") {
        ApplyGeometry();
    } else if (name == "Name") {
        widget_->setObjectName(QString::fromStdString(std::get<std::string>(value)));
    } else if (name == "Visible") {
        widget_->setVisible(std::get<bool>(value));
    } else if (name == "Enabled") {
        widget_->setEnabled(std::get<bool>(value));
    } else if (name == "HelpTag") {
        widget_->setToolTip(QString::fromStdString(std::get<std::string>(value)));
    }
}

void RectControl::ApplyGeometry()
{
    widget_->setGeometry(Left(), Top(), Width(), Height());
}

void RectControl::FollowResize(int32_t deltaWidth, int32_t deltaHeight)
{
    if (widget_ == nullptr)
        return;
    const bool lockLeft = BoolProperty("LockLeft"), lockRight = BoolProperty("LockRight");
    const bool lockTop = BoolProperty("LockTop"), lockBottom = BoolProperty("LockBottom");
    // Locked to both edges: the control stretches; to the far edge only: it moves along.
    int32_t left = Left() + (lockRight && !lockLeft ? deltaWidth : 0);
    int32_t width = Width() + (lockRight && lockLeft ? deltaWidth : 0);
    int32_t top = Top() + (lockBottom && !lockTop ? deltaHeight : 0);
    int32_t height = Height() + (lockBottom && lockTop ? deltaHeight : 0);
    widget_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

QFont RectControl::ControlFont(float textSize) const
{
    const std::string family = StringProperty("TextFont");
    QFont font;
    if (family == "System" || family.empty()) {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    } else if (family == "Courier") {
        font = QFont(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (family == "Times" || family == "times") {
        // Asked for by name, Times finds a face with its widths (Liberation Serif, Nimbus Roman)
        // where one is installed: the layouts' texts were measured in Times, and a wider serif
        // cuts them off. Without one, any serif.
        font = QFont(QStringLiteral("Times"));
        font.setStyleHint(QFont::Serif);
    } else {
        font = QFont(QString::fromStdString(family));
    }
    // The layouts were drawn at 72 dots per inch, where a point is a pixel: sizes are pixels.
    if (textSize > 0)
        font.setPixelSize(static_cast<int>(textSize + 0.5f));
    font.setBold(BoolProperty("Bold"));
    font.setItalic(BoolProperty("Italic"));
    font.setUnderline(BoolProperty("Underline"));
    return font;
}

void RuntimeAddEventHandler(RectControl& control, int32_t eventId, std::shared_ptr<Delegate> handler)
{
    if (!handler)
        throw NilObjectException("RuntimeAddEventHandler: nil handler");
    const std::string expected = control.EventSignature(eventId);
    if (expected.empty())
        throw FrameworkError("RuntimeAddEventHandler: control " + control.Name() + " raises no event " +
                             std::to_string(eventId));
    if (handler->Signature() != expected)
        throw FrameworkError("RuntimeAddEventHandler: handler signature \"" + handler->Signature() +
                             "\" does not match event " + std::to_string(eventId) + " \"" + expected + "\"");
    control.AttachHandler(eventId, std::move(handler));
}

namespace {
template <class T>
T& ControlOfClass(RectControl* control, const char* className)
{
    T* cast = dynamic_cast<T*>(control);
    if (cast == nullptr)
        throw FrameworkError(std::string("the event's control is not a ") + className);
    return *cast;
}
} // namespace

Canvas& AsCanvas(RectControl* control) { return ControlOfClass<Canvas>(control, "Canvas"); }
TextArea& AsTextArea(RectControl* control) { return ControlOfClass<TextArea>(control, "TextArea"); }
PushButton& AsPushButton(RectControl* control) { return ControlOfClass<PushButton>(control, "PushButton"); }
