#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <set>

#include "app/menubar1.h"
#include "app/windowaccessor.h"
#include "framework/controls/textarea.h"
#include "framework/core/propertylist.h"
#include "testsupport.h"

namespace {

// Just enough of a window: its size, its title and a close button; every other property is off.
constexpr std::array kWindowEntries{
    entry::Int32("Width", 300), entry::Int32("Height", 200), entry::String("Title", "Menus"),
    entry::Boolean("CloseButton", true)};
constexpr auto kWindowList = EncodePropertyList<EncodedSize(kWindowEntries)>(kWindowEntries);

template <int32_t kTop, int32_t kTabIndex, bool kReadOnly>
constexpr std::array kFieldEntries{
    entry::Int32("Left", 10),           entry::Int32("Top", kTop),          entry::Int32("Width", 200),
    entry::Int32("Height", 40),         entry::Int32("TabIndex", kTabIndex), entry::Boolean("TabStop", true),
    entry::Boolean("ReadOnly", kReadOnly),
};
template <int32_t kTop, int32_t kTabIndex, bool kReadOnly>
constexpr auto kFieldList = EncodePropertyList<EncodedSize(kFieldEntries<kTop, kTabIndex, kReadOnly>)>(
    kFieldEntries<kTop, kTabIndex, kReadOnly>);

// Set before the window is built: a window with nothing to focus, whose handler is registered
// after its menu bar is built.
bool bare = false;

// Two editable fields and a read-only one under the program's menu bar; no menu handlers of
// its own unless a test adds them.
class MenuProbeWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "MenuProbeWnd.MenuProbeWnd";

    void Layout() override
    {
        SetProperties(*this, kWindowList);
        SetMenuBar(MenuBar1::ImplicitInstance());
    }
    void CreateControls() override
    {
        if (bare)
            return;
        for (auto [name, list] : {std::pair{"Source", PropertyList(kFieldList<10, 0, false>)},
                                  std::pair{"Target", PropertyList(kFieldList<60, 1, false>)},
                                  std::pair{"Output", PropertyList(kFieldList<110, 2, true>)}}) {
            auto control = New(ClassNamed("TextArea"));
            control->Constructor();
            AddControl(name, control);
            SetProperties(*ControlByName(name), list);
        }
    }

    std::shared_ptr<TextArea> Area(const std::string& name) { return RuntimeCheckCast<TextArea>(ControlByName(name)); }
    QTextEdit* Widget(const std::string& name) { return static_cast<QTextEdit*>(Area(name)->NativeWidget()); }
    QMenuBar* Bar() { return NativeWidget()->findChild<QMenuBar*>(); }
    QAction* Action(const char* name) { return Bar()->findChild<QAction*>(name); }

    bool Handled_Action()
    {
        ++handled;
        return handlerResult;
    }
    void AddMenuHandlers(Window&) override
    {
        if (bare)
            AddHandler("EditSelectAll");
    }
    void AddHandler(const char* item)
    {
        AddMenuHandler(item, RuntimeCreateDelegate(&MenuProbeWnd::Handled_Action, Self<MenuProbeWnd>(),
                                                   "(  ) as Boolean", kWeakDelegate));
    }
    int handled = 0;
    bool handlerResult = true;
};

class MenuViewTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        RegisterClass<MenuProbeWnd>(MenuProbeWnd::kQualifiedName, "Window");
        QGuiApplication::clipboard()->clear();
        wnd = ImplicitInstance<MenuProbeWnd>();
        wnd->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wnd->NativeWidget()));
    }
    void TearDown() override
    {
        wnd.reset();
        bare = false;
        ProgramTest::TearDown();
    }

    // Puts the text in the field, gives it the focus and selects characters [start, start+length).
    void Prepare(const char* field, const std::string& text, int32_t start, int32_t length)
    {
        std::shared_ptr<TextArea> area = wnd->Area(field);
        area->SetText(text);
        area->UpdateWidget();
        area->SetFocus();
        area->SetSelStart(start);
        area->SetSelLength(length);
    }
    std::set<std::string> Enabled()
    {
        std::set<std::string> names;
        for (QAction* action : wnd->Bar()->findChildren<QAction*>())
            if (action->isEnabled() && !action->objectName().isEmpty() && !action->menu())
                names.insert(action->objectName().toStdString());
        return names;
    }
    void Choose(const char* name) { wnd->Action(name)->trigger(); }
    void OpenAndCloseMenu(const char* name = "EditMenu")
    {
        QMenu* menu = wnd->Bar()->findChild<QMenu*>(name);
        ASSERT_NE(menu, nullptr);
        menu->popup(wnd->NativeWidget()->mapToGlobal(QPoint(0, 0)));
        menu->close();
    }

    UiRecorder ui;
    std::shared_ptr<MenuProbeWnd> wnd;
};

TEST_F(MenuViewTest, TheEditMenuItemByItemInTheTreeAndOnScreen)
{
    const struct {
        const char* name;
        const char* text;
        const char* shortcut;
    } rows[] = {
        {"EditUndo", "&Undo", "Cmd+Z"},   {"UntitledMenu1", "-", ""},      {"EditCut", "Cu&t", "Cmd+X"},
        {"EditCopy", "&Copy", "Cmd+C"},   {"EditPaste", "&Paste", "Cmd+V"}, {"EditClear", "&Delete", ""},
        {"UntitledMenu0", "-", ""},       {"EditSelectAll", "Select &All", "Cmd+A"},
    };
    std::shared_ptr<MenuBar1> bar = MenuBar1::ImplicitInstance();
    ASSERT_EQ(bar->Count(), 1);
    std::shared_ptr<MenuItem> edit = bar->Item(0);
    EXPECT_EQ(edit->Name(), "EditMenu");
    QList<QAction*> menus = wnd->Bar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&Edit");
    const QList<QAction*> actions = menus[0]->menu()->actions();
    ASSERT_EQ(edit->Count(), static_cast<int32_t>(std::size(rows)));
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(rows)));
    for (int32_t i = 0; i < edit->Count(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(edit->Item(i)->Name(), rows[i].name);
        EXPECT_EQ(edit->Child(rows[i].name), edit->Item(i));
        // On screen, with the command key as Control.
        const bool separator = std::string(rows[i].text) == "-";
        EXPECT_EQ(edit->Item(i)->IsSeparator(), separator);
        EXPECT_EQ(actions[i]->isSeparator(), separator);
        if (!separator) {
            EXPECT_EQ(actions[i]->objectName().toStdString(), rows[i].name);
            EXPECT_EQ(actions[i]->text().toStdString(), rows[i].text);
        }
        EXPECT_EQ(actions[i]->shortcut().toString(QKeySequence::PortableText),
                  QString(rows[i].shortcut).replace("Cmd", "Ctrl"));
    }
    EXPECT_EQ(edit->Item(edit->Count()), nullptr);
    EXPECT_EQ(edit->Item(-1), nullptr);
    // Lookup finds grandchildren, which Child does not.
    EXPECT_EQ(bar->Lookup("EditPaste"), edit->Child("EditPaste"));
    EXPECT_EQ(bar->Child("EditPaste"), nullptr);
    EXPECT_EQ(bar->Lookup("EditMenu"), edit);
    EXPECT_EQ(bar->Lookup("FileQuit"), nullptr);
}

class MenuBar1Test : public ProgramTest {};

TEST_F(MenuBar1Test, SharedInstanceIsBuiltOnceAndAfreshAfterRelease)
{
    std::shared_ptr<MenuBar1> first = MenuBar1::ImplicitInstance();
    EXPECT_EQ(MenuBar1::ImplicitInstance(), first);
    EXPECT_EQ(first->Child("EditMenu")->Count(), 8); // built once: no items appended twice
    MenuBar1::ReleaseImplicitInstance();
    EXPECT_FALSE(MenuBar1::HasImplicitInstance());
    EXPECT_EQ(first.use_count(), 1); // only this test holds the old tree now
    EXPECT_NE(MenuBar1::ImplicitInstance(), first);
}

TEST_F(MenuViewTest, CommandsAreEnabledOnlyWhenTheyApplyToTheFocusedArea)
{
    // What, the focused area (none: nullptr), its text and selection, the clipboard, the enabled items.
    using Names = std::set<std::string>;
    const std::tuple<const char*, const char*, const char*, int32_t, int32_t, const char*, Names> rows[] = {
        {"no text area focused", nullptr, "", 0, 0, "clip", {}},
        {"empty area, empty clipboard", "Source", "", 0, 0, "", {}},
        {"empty area, text to paste", "Source", "", 0, 0, "clip", {"EditPaste"}},
        {"text, no selection", "Source", "abc", 1, 0, "", {"EditSelectAll"}},
        {"text with a selection", "Source", "abc", 1, 2, "",
         {"EditCut", "EditCopy", "EditClear", "EditSelectAll"}},
        {"selection and text to paste", "Target", "abc", 0, 1, "clip",
         {"EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}},
        {"read-only area with a selection", "Output", "abc", 0, 3, "clip", {"EditCopy", "EditSelectAll"}},
        {"read-only area, no selection", "Output", "abc", 0, 0, "clip", {"EditSelectAll"}},
    };
    for (const auto& [what, field, text, selStart, selLength, clipboard, enabled] : rows) {
        SCOPED_TRACE(what);
        if (field != nullptr) {
            Prepare(field, text, selStart, selLength);
        } else {
            wnd->Bar()->setFocus(); // only borrows the focus: move it off any area first
            wnd->NativeWidget()->setFocus();
        }
        QGuiApplication::clipboard()->setText(clipboard);
        // Current for the shortcuts before any menu opens, and still right when one does.
        EXPECT_EQ(Enabled(), enabled);
        OpenAndCloseMenu();
        EXPECT_EQ(Enabled(), enabled);
    }
}

TEST_F(MenuViewTest, EditCommandsReachTheTextModel)
{
    // Undo is enabled by typing and takes the typing back.
    wnd->Area("Source")->SetFocus();
    EXPECT_FALSE(wnd->Action("EditUndo")->isEnabled());
    QTest::keyClicks(wnd->Widget("Source"), "12");
    ASSERT_TRUE(wnd->Action("EditUndo")->isEnabled());
    Choose("EditUndo");
    EXPECT_EQ(wnd->Area("Source")->Text(), "");
    EXPECT_FALSE(wnd->Action("EditUndo")->isEnabled());

    // The menu bar taking the focus leaves the commands on the area.
    Prepare("Source", "hello world", 6, 5);
    wnd->Bar()->setFocus(Qt::MenuBarFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), wnd->Bar());
    OpenAndCloseMenu();
    ASSERT_TRUE(wnd->Action("EditCopy")->isEnabled());
    Choose("EditCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "world");
    EXPECT_EQ(wnd->Area("Source")->Text(), "hello world");

    Prepare("Target", "say ", 4, 0);
    ASSERT_TRUE(wnd->Action("EditPaste")->isEnabled());
    Choose("EditPaste");
    EXPECT_EQ(wnd->Area("Target")->Text(), "say world");
    EXPECT_EQ(wnd->Area("Target")->SelStart(), 9);

    Choose("EditSelectAll");
    EXPECT_EQ(wnd->Area("Target")->SelStart(), 0);
    EXPECT_EQ(wnd->Area("Target")->SelLength(), 9);

    wnd->Area("Target")->SetSelStart(0);
    wnd->Area("Target")->SetSelLength(4);
    Choose("EditCut");
    EXPECT_EQ(wnd->Area("Target")->Text(), "world");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "say ");

    wnd->Area("Target")->SetSelStart(1);
    wnd->Area("Target")->SetSelLength(3);
    Choose("EditClear");
    EXPECT_EQ(wnd->Area("Target")->Text(), "wd");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "say "); // Delete leaves the clipboard alone
    EXPECT_FALSE(wnd->Action("EditClear")->isEnabled());     // nothing selected any more
}

TEST_F(MenuViewTest, ReadOnlyAreaRefusesChangesEvenWhenAStaleItemIsChosen)
{
    Prepare("Source", "keep", 0, 4);
    QGuiApplication::clipboard()->setText("new");
    ASSERT_TRUE(wnd->Action("EditCut")->isEnabled());
    // Becoming read-only sends no signal; the command checks again when chosen.
    wnd->Widget("Source")->setReadOnly(true);
    for (const char* name : {"EditCut", "EditPaste", "EditClear"})
        Choose(name);
    EXPECT_EQ(wnd->Area("Source")->Text(), "keep");
    OpenAndCloseMenu();
    EXPECT_EQ(Enabled(), (std::set<std::string>{"EditCopy", "EditSelectAll"}));
}

TEST_F(MenuViewTest, HandlerOnTheWindowTakesPrecedenceOverTheBuiltInCommand)
{
    Prepare("Source", "abc", 0, 0);
    EXPECT_FALSE(wnd->Action("EditCopy")->isEnabled());
    wnd->AddHandler("EditCopy");
    OpenAndCloseMenu();
    EXPECT_TRUE(wnd->Action("EditCopy")->isEnabled()); // a handler enables its item

    wnd->Area("Source")->SetSelLength(3);
    Choose("EditCopy");
    EXPECT_EQ(wnd->handled, 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ""); // it returned true: the choice is taken

    wnd->handlerResult = false;
    Choose("EditCopy");
    EXPECT_EQ(wnd->handled, 2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc"); // false lets the built-in command act
}

TEST_F(MenuViewTest, ControlShortcutInAFocusedFieldTriggersTheMenuItem)
{
    Prepare("Source", "abc", 1, 2);
    QSignalSpy copies(wnd->Action("EditCopy"), &QAction::triggered);
    QTest::keyClick(wnd->Widget("Source"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies.count(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "bc");

    Prepare("Target", "", 0, 0);
    QSignalSpy pastes(wnd->Action("EditPaste"), &QAction::triggered);
    QTest::keyClick(wnd->Widget("Target"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pastes.count(), 1);
    EXPECT_EQ(wnd->Area("Target")->Text(), "bc");

    // A disabled item's shortcut does not fire, and the read-only text stays.
    Prepare("Output", "fixed", 0, 5);
    QSignalSpy cuts(wnd->Action("EditCut"), &QAction::triggered);
    QTest::keyClick(wnd->Widget("Output"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cuts.count(), 0);
    EXPECT_EQ(wnd->Area("Output")->Text(), "fixed");
}

class BareMenuViewTest : public MenuViewTest {
protected:
    void SetUp() override
    {
        bare = true;
        MenuViewTest::SetUp();
    }
};

TEST_F(BareMenuViewTest, HandlerRegisteredWhileTheWindowIsBuiltIsEnabledOnceItIsActive)
{
    EXPECT_TRUE(wnd->Action("EditSelectAll")->isEnabled()); // its shortcut works at once
    EXPECT_FALSE(wnd->Action("EditCopy")->isEnabled());
}

// --- Items the program's bar does not have: AutoEnable off, and a name with no command ---

TEST_F(MenuViewTest, ItemWithoutAutoEnableOrCommandNeedsAHandler)
{
    auto make = [](const char* className, const char* name, bool autoEnable) {
        auto item = RuntimeCheckCast<MenuItem>(RuntimeNewObject(ClassNamed(className)));
        item->Constructor();
        item->SetName(name);
        item->SetText(name);
        item->SetAutoEnable(autoEnable);
        return item;
    };
    auto bar = RuntimeCheckCast<MenuBar>(make("MenuBar", "", false));
    auto file = make("MenuItem", "FileMenu", false);
    bar->Append(file);
    file->Append(make("MenuItem", "EditCopy", false));
    file->Append(make("MenuItem", "FileQuit", true));
    wnd->SetMenuBar(bar);
    Prepare("Source", "abc", 0, 3);
    OpenAndCloseMenu("FileMenu");
    EXPECT_EQ(Enabled(), std::set<std::string>{});

    wnd->AddHandler("FileQuit");
    OpenAndCloseMenu("FileMenu");
    EXPECT_EQ(Enabled(), std::set<std::string>{"FileQuit"});
    Choose("FileQuit");
    EXPECT_EQ(wnd->handled, 1);
}

} // namespace
