#include "framework/menubarview.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "framework/menuitem.h"
#include "framework/runtime.h"
#include "framework/window.h"

namespace {

QKeySequence ShortcutOf(const std::string& text)
{
    QString shortcut = QString::fromStdString(text);
    shortcut.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(shortcut, QKeySequence::PortableText);
}

void AddItems(Window& window, QMenu* menu, const MenuItem& parent)
{
    for (int32_t i = 0; i < parent.Count(); ++i) {
        std::shared_ptr<MenuItem> item = parent.Item(i);
        if (item->IsSeparator()) {
            menu->addSeparator();
        } else if (item->Count() > 0) {
            AddItems(window, menu->addMenu(QString::fromStdString(item->Text())), *item);
        } else {
            QAction* action = menu->addAction(QString::fromStdString(item->Text()));
            action->setObjectName(QString::fromStdString(item->Name()));
            action->setShortcut(ShortcutOf(item->KeyboardShortcut()));
            const std::string name = item->Name();
            QObject::connect(action, &QAction::triggered, action, [&window, name] {
                if (auto handler = window.MenuHandler(name))
                    DispatchGuarded([&] { handler->Invoke(nullptr, EventArgs{}); });
            });
        }
    }
}

} // namespace

QMenuBar* CreateMenuBarView(Window& window, MenuBar& bar)
{
    auto* view = new QMenuBar(window.NativeWidget());
    for (int32_t i = 0; i < bar.Count(); ++i) {
        std::shared_ptr<MenuItem> menu = bar.Item(i);
        QMenu* qmenu = view->addMenu(QString::fromStdString(menu->Text()));
        qmenu->setObjectName(QString::fromStdString(menu->Name()));
        AddItems(window, qmenu, *menu);
    }
    return view;
}
