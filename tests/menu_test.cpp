#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <set>

#include "app/menubar1.h"
#include "app/windowaccessor.h"
#include "framework/controls/eventhandlers.h"
#include "framework/controls/textarea.h"
#include "framework/core/propertylist.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"

namespace {

// Just enough of a window: its size, its title and a close button; every other property is off.
constexpr std::array kWindowEntries{
    entry::Int32("Width", 300), entry::Int32("Height", 200), entry::String("Title", "Menus"),
    entry::Boolean("CloseButton", true)};
constexpr auto kWindowList = EncodePropertyList<EncodedSize(kWindowEntries)>(kWindowEntries);

template <bool kReadOnly>
constexpr std::array kFieldEntries{entry::Int32("Width", 200), entry::Int32("Height", 40),
                                   entry::Boolean("ReadOnly", kReadOnly)};
template <bool kReadOnly>
constexpr auto kFieldList = EncodePropertyList<EncodedSize(kFieldEntries<kReadOnly>)>(kFieldEntries<kReadOnly>);

// Set before the window is built: a window with nothing to focus, whose handler is registered
// after its menu bar is built.
bool bare = false;

// An editable field and a read-only one under the program's menu bar; no menu handlers of
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
        for (auto [name, list] : {std::pair{"Source", PropertyList(kFieldList<false>)},
                                  std::pair{"Output", PropertyList(kFieldList<true>)}}) {
            auto control = New(ClassNamed("TextArea"));
            control->Constructor();
            AddControl(name, control);
            SetProperties(*ControlByName(name), list);
        }
    }

    std::shared_ptr<TextArea> Area(const std::string& name) { return Control<TextArea>(name); }
    QPlainTextEdit* Widget(const std::string& name) { return static_cast<QPlainTextEdit*>(Area(name)->NativeWidget()); }
    QMenuBar* Bar() { return NativeWidget()->findChild<QMenuBar*>(); }
    QAction* Action(const char* name) { return Bar()->findChild<QAction*>(name); }

    bool Handled_Action()
    {
        ++handled;
        if (handlerThrows)
            throw NilObjectException("the handler met a nil object");
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
    bool handlerThrows = false;
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
        area->SetFocus();
        area->SetSelStart(start);
        area->SetSelLength(length);
    }
    std::set<std::string> Enabled()
    {
        std::set<std::string> names;
        for (QAction* action : wnd->Bar()->findChildren<QAction*>())
            if (action->isEnabled() && !action->objectName().isEmpty())
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

TEST_F(MenuViewTest, TheEditMenuItemByItemOnScreen)
{
    // Name ("" for a separator), text and shortcut.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"EditUndo", "&Undo", "Ctrl+Z"},   {"", "", ""},
        {"EditCut", "Cu&t", "Ctrl+X"},     {"EditCopy", "&Copy", "Ctrl+C"},
        {"EditPaste", "&Paste", "Ctrl+V"}, {"EditClear", "&Delete", ""},
        {"", "", ""},                      {"EditSelectAll", "Select &All", "Ctrl+A"},
    };
    const QList<QAction*> menus = wnd->Bar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&Edit");
    const QList<QAction*> actions = menus[0]->menu()->actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(rows)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const auto& [name, text, shortcut] = rows[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), name[0] == '\0');
        EXPECT_EQ(actions[i]->objectName().toStdString(), name);
        EXPECT_EQ(actions[i]->text().toStdString(), text);
        EXPECT_EQ(actions[i]->shortcut().toString(QKeySequence::PortableText).toStdString(), shortcut);
    }
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
        {"selection and text to paste", "Source", "abc", 0, 1, "clip",
         {"EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}},
        {"read-only area with a selection", "Output", "abc", 0, 3, "clip", {"EditCopy", "EditSelectAll"}},
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
    // Typing enables Undo, which takes the typing back.
    wnd->Area("Source")->SetFocus();
    QTest::keyClicks(wnd->Widget("Source"), "12");
    Choose("EditUndo");
    EXPECT_EQ(wnd->Area("Source")->Text(), "");

    // Each command on "clip" in the clipboard: the text, selection length and clipboard after it.
    const std::tuple<const char*, const char*, int32_t, int32_t, const char*, int32_t, const char*> rows[] = {
        {"EditCopy", "hello world", 6, 5, "hello world", 5, "world"},
        {"EditPaste", "say ", 4, 0, "say clip", 0, "clip"},
        {"EditSelectAll", "say", 1, 0, "say", 3, "clip"},
        {"EditCut", "say world", 0, 4, "world", 0, "say "},
        {"EditClear", "world", 1, 3, "wd", 0, "clip"},
    };
    for (const auto& [command, text, selStart, selLength, textAfter, selLengthAfter, clipboardAfter] : rows) {
        SCOPED_TRACE(command);
        Prepare("Source", text, selStart, selLength);
        QGuiApplication::clipboard()->setText("clip");
        // The menus taking the focus leave the commands on the area.
        wnd->Bar()->setFocus(Qt::MenuBarFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), wnd->Bar());
        OpenAndCloseMenu();
        Choose(command);
        EXPECT_EQ(wnd->Area("Source")->Text(), textAfter);
        EXPECT_EQ(wnd->Area("Source")->SelLength(), selLengthAfter);
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), clipboardAfter);
    }
}

TEST_F(MenuViewTest, ReadOnlyAreaRefusesChangesEvenWhenAStaleItemIsChosen)
{
    Prepare("Source", "keep", 0, 4);
    ASSERT_TRUE(wnd->Action("EditClear")->isEnabled());
    // Becoming read-only sends no signal; the command checks again when chosen. Delete is the
    // one command the widget itself would carry out on a read-only area.
    wnd->Widget("Source")->setReadOnly(true);
    Choose("EditClear");
    EXPECT_EQ(wnd->Area("Source")->Text(), "keep");
}

TEST_F(MenuViewTest, HandlerOnTheWindowComesBeforeTheBuiltInCommandByItemOrShortcut)
{
    Prepare("Source", "abc", 0, 3);
    wnd->AddHandler("EditCopy");
    Choose("EditCopy");
    EXPECT_EQ(wnd->handled, 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ""); // it returned true: the choice is taken

    // Control+C goes through the item, not through the field's own copy.
    QTest::keyClick(wnd->Widget("Source"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(wnd->handled, 2);

    wnd->handlerResult = false;
    Choose("EditCopy");
    EXPECT_EQ(wnd->handled, 3);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc"); // false lets the built-in command act

    // One that throws has had the choice too. Its error ends the event loop, which hands it on
    // to be reported; the exit here only keeps a lost error from leaving the loop running.
    wnd->handlerThrows = true;
    QGuiApplication::clipboard()->setText("clip");
    QTimer::singleShot(0, wnd->NativeWidget(), [this] {
        Choose("EditCopy");
        QCoreApplication::exit(0);
    });
    EXPECT_THROW(RuntimeRun(), NilObjectException);
    EXPECT_EQ(wnd->handled, 4);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "clip");
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
}

TEST_F(BareMenuViewTest, ReleasedWhileActiveWithTheFocusOnItsBarOrFrameItIsNotCalledBack)
{
    // Its widgets go last and move the focus as they go: the bar must not ask the window, its
    // handlers gone by then, for them. A bar that goes while it has the focus, replaced by
    // another, must not hear of the focus leaving it either.
    for (bool onBar : {true, false}) {
        wnd = ImplicitInstance<MenuProbeWnd>();
        wnd->Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wnd->NativeWidget()));
        if (onBar) {
            wnd->Bar()->setFocus(Qt::MenuBarFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), wnd->Bar());
            wnd->SetMenuBar(MenuBar1::ImplicitInstance());
            EXPECT_EQ(Enabled(), std::set<std::string>{"EditSelectAll"}); // the new bar asks the window
            QApplication::processEvents(); // and comes on screen when the loop turns
        }
        onBar ? wnd->Bar()->setFocus(Qt::MenuBarFocusReason) : wnd->NativeWidget()->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), onBar ? static_cast<QWidget*>(wnd->Bar()) : wnd->NativeWidget());
        const std::weak_ptr<MenuProbeWnd> released = wnd;
        wnd.reset();
        ReleaseWindowList();
        EXPECT_TRUE(released.expired());
        EXPECT_EQ(QApplication::focusWidget(), nullptr);
    }
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
}

} // namespace
