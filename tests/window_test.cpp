#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "app/windowaccessor.h"
#include "framework/controls/canvas.h"
#include "framework/controls/eventhandlers.h"
#include "framework/controls/textarea.h"
#include "framework/core/heap.h"
#include "framework/core/propertylist.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"

namespace {

// Every window property left out is off.
constexpr std::array kWindowEntries{entry::Int32("Width", 200), entry::Int32("Height", 100),
                                    entry::String("Title", "Probe"), entry::Boolean("CloseButton", true)};
constexpr auto kWindowList = EncodePropertyList<EncodedSize(kWindowEntries)>(kWindowEntries);

// A text area that takes line breaks.
constexpr std::array kFieldEntries{entry::Int32("Width", 100), entry::Int32("Height", 50),
                                   entry::Boolean("Multiline", true)};
constexpr auto kFieldList = EncodePropertyList<EncodedSize(kFieldEntries)>(kFieldEntries);

// Fields that Tab visits, made in another order than their tab indexes give.
template <int32_t kTabIndex>
constexpr std::array kTabbedEntries{entry::Int32("Top", 80 + 5 * kTabIndex), entry::Int32("Width", 5),
                                    entry::Int32("Height", 5), entry::Int32("TabIndex", kTabIndex),
                                    entry::Boolean("TabStop", true)};
template <int32_t kTabIndex>
constexpr auto kTabbedList = EncodePropertyList<EncodedSize(kTabbedEntries<kTabIndex>)>(kTabbedEntries<kTabIndex>);

// Asks for its own class while it opens, as the start window does.
class ProbeWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "ProbeWnd.ProbeWnd";
    void Layout() override { SetProperties(*this, kWindowList); }
    void CreateControls() override
    {
        for (auto [name, list] : {std::pair{"Field", PropertyList(kFieldList)},
                                  std::pair{"Last", PropertyList(kTabbedList<2>)},
                                  std::pair{"Middle", PropertyList(kTabbedList<1>)},
                                  std::pair{"First", PropertyList(kTabbedList<0>)}}) {
            auto control = New(ClassNamed("TextArea"));
            control->Constructor();
            AddControl(name, control);
            SetProperties(*ControlByName(name), list);
        }
    }
    void Event_Open() override { selfSeenInOpen = ImplicitInstance<ProbeWnd>().get(); }
    bool Poke(Canvas&, int32_t, int32_t) { return true; }
    ProbeWnd* selfSeenInOpen = nullptr;
};

class WindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        RegisterClass<ProbeWnd>(ProbeWnd::kQualifiedName, "Window");
    }
};

} // namespace

TEST_F(WindowTest, AnOpenHandlerAskingForItsOwnClassGetsItself)
{
    auto window = ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(window->selfSeenInOpen, window.get());
}

TEST_F(WindowTest, ControlBuiltOnceAndDelegateSignatureKindControlClassAndWindowAreChecked)
{
    auto window = ImplicitInstance<ProbeWnd>();
    auto canvas = RuntimeCheckCast<Canvas>(window->New(ClassNamed("Canvas")));
    canvas->Constructor();
    EXPECT_THROW(canvas->Constructor(), FrameworkError);
    EXPECT_NE(canvas->NativeWidget(), nullptr); // the first widget stays
    auto field = window->Control<TextArea>("Field");

    auto poke = RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas, Int32, Int32 ) as Boolean", kWeakDelegate);
    EXPECT_THROW(RuntimeAddEventHandler(*field, EventId::MouseDown, poke), FrameworkError); // no such event
    EXPECT_THROW(RuntimeAddEventHandler(*canvas, EventId::MouseDown,
                                        RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas )", kWeakDelegate)),
                 FrameworkError);
    EXPECT_THROW(RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas, Int32, Int32 ) as Boolean", 0),
                 FrameworkError);
    RuntimeAddEventHandler(*canvas, EventId::MouseDown, poke);
    EXPECT_THROW(poke->Invoke(field.get(), EventArgs{}), FrameworkError); // wrong control class

    // The delegate holds its window weakly: once the window has gone, a call is a nil object.
    window->Close();
    window.reset();
    QApplication::processEvents();
    EXPECT_EQ(canvas->NativeWidget(), nullptr); // its widget went with the window's
    EXPECT_THROW(poke->Invoke(canvas.get(), EventArgs{}), NilObjectException);
}

TEST_F(WindowTest, TextAreaKeepsItsLineEndsAndCountsCrLfAsTwoCharacters)
{
    auto field = ImplicitInstance<ProbeWnd>()->Control<TextArea>("Field");
    auto* widget = static_cast<QPlainTextEdit*>(field->NativeWidget());
    field->SetText("one\r\ntwo\r");
    QApplication::processEvents(); // the widget shows a write on the next turn of the loop
    EXPECT_EQ(widget->toPlainText(), "one\ntwo\n");
    EXPECT_EQ(field->Text(), "one\r\ntwo\r"); // read back as written, not from the widget
    field->SetSelStart(5);
    field->SetSelLength(3);
    EXPECT_EQ(widget->textCursor().selectedText(), "two");
    EXPECT_EQ(field->SelStart(), 5);
    EXPECT_EQ(field->SelLength(), 3);

    // What a person types after a write goes on from it, lines ending with CR.
    field->SetText("ab");
    QApplication::processEvents();
    widget->moveCursor(QTextCursor::End);
    QTest::keyClicks(widget, "c");
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClicks(widget, "d");
    EXPECT_EQ(field->Text(), "abc\rd");
}

// The heap hands freed memory back once, when the program replaces a large text: not when it
// shows one, nor at a small write, a paste or a key typed.
TEST_F(WindowTest, TextAreaReleasesFreeMemoryOnceALargeTextGivesWay)
{
    int releases = 0;
    SetReleaseFreeMemoryForTesting([&releases] { ++releases; });
    auto field = ImplicitInstance<ProbeWnd>()->Control<TextArea>("Field");
    auto* widget = static_cast<QPlainTextEdit*>(field->NativeWidget());
    std::string large;
    for (int i = 0; i < 30000; ++i)
        large += ".01\r";
    const auto write = [&](std::string text) {
        field->SetText(std::move(text));
        field->UpdateWidget();
    };
    write(large);
    EXPECT_EQ(releases, 0);
    write("small");
    EXPECT_EQ(releases, 1);
    write("another");
    EXPECT_EQ(releases, 1);

    QApplication::clipboard()->setText(QString(".01\n").repeated(30000));
    widget->paste();
    QTest::keyClicks(widget, "5");
    EXPECT_EQ(releases, 1);
    write("");
    EXPECT_EQ(releases, 2);
    SetReleaseFreeMemoryForTesting({});
}

TEST_F(WindowTest, TabFollowsTheTabIndexesNotTheOrderOfMaking)
{
    auto window = ImplicitInstance<ProbeWnd>();
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    window->Control<TextArea>("First")->SetFocus();
    for (const char* next : {"Middle", "Last"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(window->Control<TextArea>(next)->HasFocus()) << next;
    }
}

TEST_F(WindowTest, AClosedWindowLastsUntilTheLoopTurns)
{
    // Closed through its frame, as a person does, with nothing else holding it: it leaves the
    // screen at once, but must not go inside its own close event.
    std::weak_ptr<Window> window = ImplicitInstance<ProbeWnd>();
    QWidget* frame = window.lock()->NativeWidget();
    window.lock()->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), nullptr);
    EXPECT_FALSE(window.expired());
    QApplication::processEvents();
    EXPECT_TRUE(window.expired());
}
