#include "app/menubar1.h"

#include "framework/core/runtime.h"

namespace {

std::shared_ptr<MenuBar1> implicitInstance;

struct ItemRow {
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: a separator, which gets no shortcut at all
};

// In order; the first row goes into the bar, every later one into the Edit menu. The separators
// are numbered from the bottom up, and Delete's command keeps its old name EditClear.
constexpr ItemRow kRows[] = {
    {"EditMenu", "&Edit", ""},
    {"EditUndo", "&Undo", "Cmd+Z"},
    {"UntitledMenu1", "-", nullptr},
    {"EditCut", "Cu&t", "Cmd+X"},
    {"EditCopy", "&Copy", "Cmd+C"},
    {"EditPaste", "&Paste", "Cmd+V"},
    {"EditClear", "&Delete", ""},
    {"UntitledMenu0", "-", nullptr},
    {"EditSelectAll", "Select &All", "Cmd+A"},
};

} // namespace

void MenuBar1::Constructor() { Untitled0(); }

void MenuBar1::Untitled0()
{
    bool first = true;
    for (const ItemRow& row : kRows) {
        auto item = RuntimeCheckCast<MenuItem>(RuntimeNewObject(ClassNamed("MenuItem")));
        if (!item)
            throw NilObjectException("MenuBar1: no menu item");
        item->Constructor();
        item->SetName(row.name);
        item->SetAutoEnable(true);
        item->SetText(row.text);
        if (row.shortcut != nullptr)
            item->SetKeyboardShortcut(row.shortcut);
        if (first) {
            Append(item);
            first = false;
            continue;
        }
        std::shared_ptr<MenuItem> editMenu = Child("EditMenu");
        if (!editMenu)
            throw NilObjectException("MenuBar1: no Edit menu");
        editMenu->Append(item);
    }
}

std::shared_ptr<MenuBar1> MenuBar1::ImplicitInstance()
{
    if (!implicitInstance) {
        auto bar = RuntimeCheckCast<MenuBar1>(RuntimeNewObject(ClassNamed("MenuBar1")));
        bar->Constructor();
        implicitInstance = bar;
    }
    return implicitInstance;
}

void MenuBar1::ReleaseImplicitInstance() { implicitInstance.reset(); }

bool MenuBar1::HasImplicitInstance() { return implicitInstance != nullptr; }
