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

#include "framework/controls/rectcontrol.h"
#include "framework/core/keytext.h"
#include "framework/core/runtime.h"
#include "framework/windowing/menubarview.h"
#include "framework/windowing/menuitem.h"
#include "framework/windowing/windowlist.h"

namespace {

// Frame codes: 0 a document window, 1 a movable dialog, 2 a plain box without a title bar
// (the splash), centred on the screen because no title bar invites moving it.
constexpr int32_t kPlainBoxFrame = 2;

// The widgets reach their window through a weak reference: one that is being destroyed (its
// members going, its widgets last) is no longer reached, whatever Qt does as the widgets go.
class ContentWidget : public QWidget {
public:
    explicit ContentWidget(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return design_; }
    void SetDesignSize(QSize size) { design_ = size; }
    void Attach(const std::weak_ptr<Window>& window) { window_ = window; }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (auto window = window_.lock())
            window->LayoutControls();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (auto window = window_.lock())
            window->DeliverMouseDown(at.x(), at.y());
    }

private:
    std::weak_ptr<Window> window_;
    QSize design_{100, 100};
};

} // namespace

class WindowWidget : public QWidget {
public:
    WindowWidget()
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        content_ = new ContentWidget(this);
        layout->addWidget(content_);
    }
    ContentWidget* Content() const { return content_; }
    void Attach(const std::weak_ptr<Window>& window)
    {
        window_ = window;
        content_->Attach(window);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            if (auto window = window_.lock())
                window->DeliverActivate();
        return QWidget::event(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore(); // the window decides: DeliverClose hides it and lets it go
        if (auto window = window_.lock(); window && window->CloseButton())
            window->DeliverClose();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        std::optional<std::string> key = KeyText(*event);
        auto window = window_.lock();
        if (key && window)
            window->DeliverKeyDown(*key);
        else
            QWidget::keyPressEvent(event);
    }

private:
    std::weak_ptr<Window> window_;
    ContentWidget* content_;
};

Window::Window() : widget_(std::make_unique<WindowWidget>())
{
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window() = default;

void Window::Constructor()
{
    widget_->Attach(Self<Window>());
    // Found from here on, so that an Open handler that asks for its own class gets itself.
    RegisterOpenWindow(Self<Window>(), Class() != nullptr ? Class()->name : std::string());
    try {
        Layout();
        CreateControls();
        ApplyTabOrder();
        AddMenuHandlers(*this);
        if (visible_)
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
    if (!widget_->isVisible() && frame_ == kPlainBoxFrame) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(0, 0), widget_->sizeHint());
            frame.moveCenter(screen->availableGeometry().center());
            widget_->move(frame.topLeft());
        }
    }
    if (fullScreen_)
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
        widget_.get(),
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
    control->SetParentWidget(ContentWidget());
    return control;
}

void Window::AddControl(const std::string& name, std::shared_ptr<RectControl> control)
{
    if (!control)
        throw NilObjectException("Window::AddControl: nil control " + name);
    control->SetName(name);
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
    std::weak_ptr<Window> weak = Self<Window>();
    auto handlerFor = [weak](const std::string& name) {
        std::shared_ptr<Window> window = weak.lock();
        return window ? window->MenuHandler(name) : nullptr;
    };
    layout->setMenuBar(menuBar_ ? CreateMenuBarView(widget_.get(), *menuBar_, handlerFor) : nullptr);
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

const PropertyTable& Window::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Unused("Placement"), // 0, the default: the toolkit places the window
        Property<&Window::width_>("Width"),
        Property<&Window::height_>("Height"),
        Property<&Window::minWidth_>("MinWidth"),
        Property<&Window::minHeight_>("MinHeight"),
        Property<&Window::maxWidth_>("MaxWidth"),
        Property<&Window::maxHeight_>("MaxHeight"),
        Property<&Window::frame_>("Frame"),
        Unused("Composite"), // the toolkit composes every window the same way
        Property<&Window::hasBackColor_>("HasBackColor"),
        Property<&Window::backColor_>("BackColor"),
        Property<&Window::title_>("Title"),
        Property<&Window::visible_>("Visible"),
        Property<&Window::fullScreen_>("FullScreen"),
        Property<&Window::menuBarVisible_>("MenuBarVisible"),
        Property<&Window::closeButton_>("CloseButton"),
        Property<&Window::resizeable_>("Resizeable"),
        Unused("LiveResize"), // the toolkit always lays out while the window is resized
        Property<&Window::maximizeButton_>("MaximizeButton"),
        Property<&Window::minimizeButton_>("MinimizeButton"),
        Unused("MacProcID"), // no custom window definitions here
    };
    static constexpr PropertyTable kTable{kRows};
    return kTable;
}

QWidget* Window::NativeWidget() const { return widget_.get(); }
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
    const int32_t deltaWidth = ContentWidth() - width_;
    const int32_t deltaHeight = ContentHeight() - height_;
    for (const auto& control : controls_)
        control->FollowResize(deltaWidth, deltaHeight);
}

void Window::ShowProperties()
{
    widget_->setWindowTitle(QString::fromStdString(title_));
    ShowFrame();
    ShowSizeLimits();
    QWidget* content = widget_->Content();
    content->setAutoFillBackground(hasBackColor_);
    if (hasBackColor_) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, QColor(backColor_.red, backColor_.green, backColor_.blue));
        content->setPalette(palette);
    }
    if (QWidget* bar = widget_->layout()->menuBar())
        bar->setVisible(menuBarVisible_);
}

void Window::ShowSizeLimits()
{
    auto* content = widget_->Content();
    const QSize design(width_, height_);
    content->SetDesignSize(design);
    if (resizeable_) {
        content->setMinimumSize(minWidth_, minHeight_);
        content->setMaximumSize(std::max(maxWidth_, minWidth_), std::max(maxHeight_, minHeight_));
        widget_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    } else {
        content->setFixedSize(design);
        widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    widget_->adjustSize();
    // A hidden window lays out only when shown; its content takes the size now all the same.
    content->resize(design);
}

void Window::ShowFrame()
{
    Qt::WindowFlags flags;
    switch (frame_) {
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
    if (closeButton_)
        flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton_)
        flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton_)
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
