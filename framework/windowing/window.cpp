#include "framework/windowing/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <array>

#include "framework/controls/rectcontrol.h"
#include "framework/core/keytext.h"
#include "framework/core/runtime.h"
#include "framework/windowing/menubarview.h"
#include "framework/windowing/menuitem.h"
#include "framework/windowing/windowlist.h"

namespace {

constexpr std::array<std::string_view, 21> kWindowProperties = {
    "Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight", "Frame", "Composite",
    "HasBackColor", "BackColor", "Title", "Visible", "FullScreen", "MenuBarVisible", "CloseButton",
    "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton", "MacProcID"};

// Frame codes: 0 a document window, 1 a movable dialog, 2 a plain box without a title bar
// (the splash), centred on the screen because no title bar invites moving it.
constexpr int32_t kPlainBoxFrame = 2;

class ContentWidget : public QWidget {
public:
    ContentWidget(Window& window, QWidget* parent) : QWidget(parent), window_(window) {}
    QSize sizeHint() const override { return design_; }
    void SetDesignSize(QSize size) { design_ = size; }

protected:
    void resizeEvent(QResizeEvent*) override { window_.LayoutControls(); }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        window_.DeliverMouseDown(at.x(), at.y());
    }

private:
    Window& window_;
    QSize design_{100, 100};
};

} // namespace

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& window) : window_(window)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        content_ = new ContentWidget(window, this);
        layout->addWidget(content_);
    }
    ContentWidget* Content() const { return content_; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            window_.DeliverActivate();
        return QWidget::event(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (!window_.BoolProperty("CloseButton")) {
            event->ignore();
            return;
        }
        event->ignore(); // the window decides: DeliverClose hides it and lets it go
        window_.DeliverClose();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        std::optional<std::string> key = KeyText(*event);
        if (key)
            window_.DeliverKeyDown(*key);
        else
            QWidget::keyPressEvent(event);
    }

private:
    Window& window_;
    ContentWidget* content_;
};

Window::Window() : widget_(new WindowWidget(*this))
{
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window() { delete widget_; }

void Window::Constructor()
{
    // Found from here on, so that an Open handler that asks for its own class gets itself.
    RegisterOpenWindow(Self<Window>());
    try {
        Layout();
        CreateControls();
        ApplyTabOrder();
        AddMenuHandlers(*this);
        constructed_ = true;
        if (BoolProperty("Visible"))
            ShowWhenIdle();
    } catch (...) {
        UnregisterOpenWindow(*this);
        widget_->hide();
        throw;
    }
    Event_Open();
}

void Window::Show()
{
    showPending_ = false;
    if (!widget_->isVisible() && IntProperty("Frame") == kPlainBoxFrame) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(0, 0), widget_->sizeHint());
            frame.moveCenter(screen->availableGeometry().center());
            widget_->move(frame.topLeft());
        }
    }
    if (BoolProperty("FullScreen"))
        widget_->showFullScreen();
    else
        widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void Window::Hide()
{
    showPending_ = false;
    widget_->hide();
}

bool Window::IsVisible() const { return showPending_ || widget_->isVisible(); }

void Window::ShowWhenIdle()
{
    // A window built visible comes on screen when the event loop next turns, unless the code
    // that built it shows it first or hides it at once: then it never flashes up.
    showPending_ = true;
    std::weak_ptr<Window> weak = Self<Window>();
    QMetaObject::invokeMethod(
        widget_,
        [weak] {
            if (auto window = weak.lock(); window && window->showPending_)
                window->Show();
        },
        Qt::QueuedConnection);
}

void Window::Close()
{
    if (IsOpenWindow(*this))
        DeliverClose();
}

std::shared_ptr<RectControl> Window::New(const ClassRecord& controlClass)
{
    auto control = RuntimeCheckCast<RectControl>(RuntimeNewObject(controlClass));
    if (!control)
        throw NilObjectException("Window::New: class " + controlClass.name + " made no control");
    control->SetOwner(this);
    return control;
}

void Window::AddControl(const std::string& name, std::shared_ptr<RectControl> control)
{
    if (!control)
        throw NilObjectException("Window::AddControl: nil control " + name);
    control->SetOwner(this);
    control->SetProperty("Name", name);
    controls_.push_back(std::move(control));
}

std::shared_ptr<RectControl> Window::ControlByName(const std::string& name) const
{
    for (const auto& control : controls_)
        if (control->Name() == name)
            return control;
    return nullptr;
}

void Window::SetMenuBar(std::shared_ptr<MenuBar> bar)
{
    menuBar_ = std::move(bar);
    auto* layout = static_cast<QVBoxLayout*>(widget_->layout());
    delete layout->menuBar();
    layout->setMenuBar(menuBar_ ? CreateMenuBarView(*this, *menuBar_) : nullptr);
}

void Window::AddMenuHandler(const std::string& itemName, std::shared_ptr<Delegate> handler)
{
    if (!handler)
        throw NilObjectException("AddMenuHandler: nil handler for " + itemName);
    if (handler->Signature() != "(  ) as Boolean")
        throw FrameworkError("AddMenuHandler: a menu handler's signature is \"(  ) as Boolean\", not \"" +
                             handler->Signature() + "\"");
    menuHandlers_[itemName] = std::move(handler);
}

std::shared_ptr<Delegate> Window::MenuHandler(const std::string& itemName) const
{
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? nullptr : it->second;
}

int32_t Window::ContentWidth() const { return widget_->Content()->width(); }
int32_t Window::ContentHeight() const { return widget_->Content()->height(); }

void Window::ResizeContent(int32_t width, int32_t height)
{
    // The frame holds the menu bar above the content; it keeps its height.
    const QSize extra = widget_->size() - widget_->Content()->size();
    widget_->resize(QSize(width, height) + extra);
    // A hidden window lays out only when shown; the content follows now all the same.
    widget_->Content()->resize(width, height);
    LayoutControls();
}

bool Window::AcceptsProperty(std::string_view name) const
{
    return std::find(kWindowProperties.begin(), kWindowProperties.end(), name) != kWindowProperties.end();
}

QWidget* Window::NativeWidget() const { return widget_; }
QWidget* Window::ContentWidget() const { return widget_->Content(); }

void Window::DeliverActivate()
{
    DispatchGuarded([this] { Event_Activate(); });
}

void Window::DeliverClose()
{
    DispatchGuarded([this] { Event_Close(); });
    widget_->hide();
    KeepUntilNextTurn(Self<Window>());
    UnregisterOpenWindow(*this);
}

bool Window::DeliverKeyDown(const std::string& key)
{
    bool result = false;
    DispatchGuarded([&] { result = Event_KeyDown(key); });
    return result;
}

bool Window::DeliverMouseDown(int32_t x, int32_t y)
{
    bool result = false;
    DispatchGuarded([&] { result = Event_MouseDown(x, y); });
    return result;
}

void Window::LayoutControls()
{
    const int32_t deltaWidth = ContentWidth() - IntProperty("Width");
    const int32_t deltaHeight = ContentHeight() - IntProperty("Height");
    for (const auto& control : controls_)
        control->FollowResize(deltaWidth, deltaHeight);
}

void Window::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Title") {
        widget_->setWindowTitle(QString::fromStdString(std::get<std::string>(value)));
    } else if (name == "Width" || name == "Height" || name == "MinWidth" || name == "MinHeight" ||
               name == "MaxWidth" || name == "MaxHeight" || name == "Resizeable") {
        ApplySizeLimits();
    } else if (name == "Frame" || name == "CloseButton" || name == "MaximizeButton" ||
               name == "MinimizeButton") {
        ApplyFrame();
    } else if (name == "HasBackColor" || name == "BackColor") {
        QWidget* content = widget_->Content();
        content->setAutoFillBackground(BoolProperty("HasBackColor"));
        if (BoolProperty("HasBackColor")) {
            const Color c = ColorProperty("BackColor");
            QPalette palette = content->palette();
            palette.setColor(QPalette::Window, QColor(c.red, c.green, c.blue));
            content->setPalette(palette);
        }
    } else if (name == "MenuBarVisible") {
        if (QWidget* bar = widget_->layout()->menuBar())
            bar->setVisible(std::get<bool>(value));
    } else if (name == "Visible" && constructed_) {
        std::get<bool>(value) ? Show() : Hide();
    }
}

void Window::ApplySizeLimits()
{
    auto* content = widget_->Content();
    const QSize design(IntProperty("Width"), IntProperty("Height"));
    content->SetDesignSize(design);
    if (BoolProperty("Resizeable")) {
        content->setMinimumSize(IntProperty("MinWidth"), IntProperty("MinHeight"));
        content->setMaximumSize(std::max(IntProperty("MaxWidth"), IntProperty("MinWidth")),
                                std::max(IntProperty("MaxHeight"), IntProperty("MinHeight")));
        widget_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        // A fixed size set before the list made the window resizeable would otherwise stay
        // behind as the frame's maximum; the content's own maximum is the limit.
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        content->setFixedSize(design);
        widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    content->resize(design);
    widget_->adjustSize();
}

void Window::ApplyFrame()
{
    Qt::WindowFlags flags;
    switch (IntProperty("Frame")) {
    case 1:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        break;
    case kPlainBoxFrame:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    default:
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        break;
    }
    if (BoolProperty("CloseButton"))
        flags |= Qt::WindowCloseButtonHint;
    if (BoolProperty("MinimizeButton"))
        flags |= Qt::WindowMinimizeButtonHint;
    if (BoolProperty("MaximizeButton"))
        flags |= Qt::WindowMaximizeButtonHint;
    const bool visible = widget_->isVisible();
    widget_->setWindowFlags(flags);
    if (visible)
        widget_->show();
}

void Window::ApplyTabOrder()
{
    std::vector<RectControl*> order;
    for (const auto& control : controls_)
        if (control->TakesTabFocus())
            order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(),
                     [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->NativeWidget(), order[i]->NativeWidget());
}
