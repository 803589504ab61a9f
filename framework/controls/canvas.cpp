#include "framework/controls/canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <array>

#include "framework/pictures/picture.h"

namespace {

constexpr std::array<std::string_view, 11> kCanvasProperties = {
    "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "UseFocusRing", "AcceptFocus",
    "AcceptTabs", "DoubleBuffer", "EraseBackground", "InitialParent"};

class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (canvas_.BoolProperty("EraseBackground"))
            painter.fillRect(rect(), palette().window());
        if (auto picture = canvas_.Backdrop())
            painter.drawImage(0, 0, picture->Image());
    }

    // Without a MouseDown handler a click belongs to the window, as on any background.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (!canvas_.HasHandler(EventId::MouseDown)) {
            event->ignore();
            return;
        }
        const QPoint at = event->position().toPoint();
        canvas_.Raise(EventId::MouseDown, EventArgs{at.x(), at.y(), {}});
        event->accept();
    }

private:
    Canvas& canvas_;
};

} // namespace

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture)
{
    backdrop_ = std::move(picture);
    if (QWidget* widget = NativeWidget())
        widget->update();
}

bool Canvas::AcceptsProperty(std::string_view name) const
{
    for (std::string_view own : kCanvasProperties)
        if (own == name)
            return true;
    return RectControl::AcceptsProperty(name);
}

std::string Canvas::EventSignature(int32_t eventId) const
{
    return eventId == EventId::MouseDown ? "( Canvas, Int32, Int32 ) as Boolean" : std::string();
}

QWidget* Canvas::CreateWidget(QWidget* parent)
{
    auto* widget = new CanvasWidget(*this, parent);
    widget->setFocusPolicy(Qt::NoFocus);
    widget->show();
    return widget;
}

void Canvas::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    QWidget* widget = NativeWidget();
    if (widget == nullptr)
        return;
    if (name == "AcceptFocus" || name == "TabStop") {
        widget->setFocusPolicy(TakesTabFocus() ? Qt::StrongFocus
                                               : (BoolProperty("AcceptFocus") ? Qt::ClickFocus : Qt::NoFocus));
    } else if (name == "DoubleBuffer" || name == "EraseBackground") {
        widget->update();
    } else {
        RectControl::ApplyProperty(name, value);
    }
}
