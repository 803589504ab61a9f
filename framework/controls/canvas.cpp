#include "framework/controls/canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "framework/pictures/picture.h"

namespace {

class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (canvas_.EraseBackground())
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

const PropertyTable& Canvas::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&Canvas::tabStop_>("TabStop"),
        Unused("UseFocusRing"), // the toolkit's style draws the focus
        Property<&Canvas::acceptFocus_>("AcceptFocus"),
        Unused("AcceptTabs"),   // a canvas takes no typing
        Unused("DoubleBuffer"), // the toolkit always paints through a buffer
        Property<&Canvas::eraseBackground_>("EraseBackground"),
    };
    static const PropertyTable kTable{kRows, &RectControl::Properties()};
    return kTable;
}

std::string Canvas::EventSignature(int32_t eventId) const
{
    return eventId == EventId::MouseDown ? "( Canvas, Int32, Int32 ) as Boolean" : std::string();
}

QWidget* Canvas::CreateWidget(QWidget* parent)
{
    auto* widget = new CanvasWidget(*this, parent);
    widget->show();
    return widget;
}

void Canvas::ShowProperties()
{
    RectControl::ShowProperties();
    if (QWidget* widget = NativeWidget()) {
        widget->setFocusPolicy(TakesTabFocus() ? Qt::StrongFocus : (acceptFocus_ ? Qt::ClickFocus : Qt::NoFocus));
        widget->update();
    }
}
