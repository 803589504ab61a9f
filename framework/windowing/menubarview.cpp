#include "framework/windowing/menubarview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPlainTextEdit>

#include <vector>

#include "framework/core/runtime.h"
#include "framework/windowing/editcommands.h"
#include "framework/windowing/menuitem.h"

namespace {

QKeySequence ShortcutOf(const std::string& text)
{
    QString shortcut = QString::fromStdString(text);
    shortcut.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(shortcut, QKeySequence::PortableText);
}

class MenuBarView : public QMenuBar {
public:
    MenuBarView(QWidget* frame, const MenuBar& bar, MenuHandlerLookup handlerFor)
        : QMenuBar(frame), handlerFor_(std::move(handlerFor))
    {
        for (int32_t i = 0; i < bar.Count(); ++i) {
            std::shared_ptr<MenuItem> menu = bar.Item(i);
            QMenu* qmenu = addMenu(QString::fromStdString(menu->Text()));
            qmenu->setObjectName(QString::fromStdString(menu->Name()));
            AddItems(qmenu, *menu);
        }
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateStates(); });
        FollowFocus(QApplication::focusWidget());
    }

    // The focus may move while the window's widgets go; by then this bar must no longer listen.
    ~MenuBarView() override
    {
        disconnect(qApp, nullptr, this, nullptr);
        disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
        if (area_)
            area_->disconnect(this);
    }

protected:
    bool event(QEvent* event) override
    {
        // Handlers are registered after the bar is built, and the window's shortcuts work only
        // while it is active: coming to the front is the moment to be current.
        if (event->type() == QEvent::WindowActivate)
            UpdateStates();
        return QMenuBar::event(event);
    }

private:
    struct Command {
        QAction* action;
        std::string name;
        bool autoEnable;
    };

    void AddItems(QMenu* menu, const MenuItem& parent)
    {
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateStates(); });
        for (int32_t i = 0; i < parent.Count(); ++i) {
            std::shared_ptr<MenuItem> item = parent.Item(i);
            if (item->IsSeparator()) {
                menu->addSeparator();
            } else if (item->Count() > 0) {
                AddItems(menu->addMenu(QString::fromStdString(item->Text())), *item);
            } else {
                QAction* action = menu->addAction(QString::fromStdString(item->Text()));
                action->setObjectName(QString::fromStdString(item->Name()));
                action->setShortcut(ShortcutOf(item->KeyboardShortcut()));
                const std::string name = item->Name();
                connect(action, &QAction::triggered, this, [this, name] { Choose(name); });
                commands_.push_back({action, name, item->AutoEnable()});
            }
        }
    }

    void Choose(const std::string& name)
    {
        bool handled = false;
        if (std::shared_ptr<Delegate> handler = handlerFor_(name)) {
            handled = true; // a handler that throws has had the choice
            DispatchGuarded([&] { handled = handler->Invoke(nullptr, EventArgs{}); });
        }
        if (!handled)
            RunEditCommand(name, Area());
        UpdateStates();
    }

    // The Edit commands act on the focused text area. A menu bar or menu that takes the focus
    // while the person works the menus by keyboard only borrows it: the area keeps its place.
    void FollowFocus(QWidget* now)
    {
        if (qobject_cast<QMenuBar*>(now) == nullptr && qobject_cast<QMenu*>(now) == nullptr) {
            if (area_)
                area_->disconnect(this);
            area_ = qobject_cast<QPlainTextEdit*>(now);
            if (QPlainTextEdit* area = Area()) {
                connect(area, &QPlainTextEdit::selectionChanged, this, [this] { UpdateStates(); });
                connect(area, &QPlainTextEdit::textChanged, this, [this] { UpdateStates(); });
                connect(area, &QPlainTextEdit::undoAvailable, this, [this] { UpdateStates(); });
            }
        }
        UpdateStates();
    }

    void UpdateStates()
    {
        for (const Command& command : commands_)
            command.action->setEnabled(handlerFor_(command.name) != nullptr ||
                                       (command.autoEnable && EditCommandApplies(command.name, Area())));
    }

    MenuHandlerLookup handlerFor_;
    std::vector<Command> commands_;
    // The focused text area, held as a widget: one that is going hands the focus on while it
    // is a text area no more.
    QPlainTextEdit* Area() const { return qobject_cast<QPlainTextEdit*>(area_.data()); }

    QPointer<QWidget> area_;
};

} // namespace

QMenuBar* CreateMenuBarView(QWidget* frame, const MenuBar& bar, MenuHandlerLookup handlerFor)
{
    return new MenuBarView(frame, bar, std::move(handlerFor));
}
