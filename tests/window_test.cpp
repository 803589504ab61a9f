#include <QApplication>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "app/windowaccessor.h"
#include "framework/controls/canvas.h"
#include "framework/controls/label.h"
#include "framework/controls/textarea.h"
#include "framework/core/propertylist.h"
#include "framework/windowing/windowlist.h"
#include "testsupport.h"

namespace {

// A resizeable window; every property left out is off.
constexpr std::array kWindowEntries{
    entry::Int32("Width", 200),       entry::Int32("Height", 100),         entry::Int32("MaxWidth", 32000),
    entry::Int32("MaxHeight", 32000), entry::Boolean("Resizeable", true), entry::String("Title", "Probe"),
    entry::Boolean("CloseButton", true),
};
constexpr auto kWindowList = EncodePropertyList<EncodedSize(kWindowEntries)>(kWindowEntries);

// A styled text area locked to all four edges, and a label locked to the right and bottom only.
constexpr std::array kFieldEntries{
    entry::Int32("Left", 10),          entry::Int32("Top", 10),            entry::Int32("Width", 100),
    entry::Int32("Height", 50),        entry::Boolean("LockLeft", true),   entry::Boolean("LockTop", true),
    entry::Boolean("LockRight", true), entry::Boolean("LockBottom", true), entry::Boolean("Styled", true),
    entry::Boolean("Multiline", true),
};
constexpr auto kFieldList = EncodePropertyList<EncodedSize(kFieldEntries)>(kFieldEntries);
constexpr std::array kTagEntries{
    entry::Int32("Left", 150),         entry::Int32("Top", 70),            entry::Int32("Width", 40),
    entry::Int32("Height", 20),        entry::Boolean("LockRight", true),  entry::Boolean("LockBottom", true),
    entry::String("Text", "tag"),
};
constexpr auto kTagList = EncodePropertyList<EncodedSize(kTagEntries)>(kTagEntries);

// Fields that Tab visits, made in another order than their tab indexes give.
template <int32_t kTabIndex>
constexpr std::array kTabbedEntries{entry::Int32("Top", 80 + 5 * kTabIndex), entry::Int32("Width", 5),
                                    entry::Int32("Height", 5), entry::Int32("TabIndex", kTabIndex),
                                    entry::Boolean("TabStop", true)};
template <int32_t kTabIndex>
constexpr auto kTabbedList = EncodePropertyList<EncodedSize(kTabbedEntries<kTabIndex>)>(kTabbedEntries<kTabIndex>);

int opens = 0;

// Asks for its own class while it opens, as the start window does.
class ProbeWnd : public Window {
public:
    static constexpr const char* kQualifiedName = "ProbeWnd.ProbeWnd";
    void Layout() override { SetProperties(*this, kWindowList); }
    void CreateControls() override
    {
        for (auto [name, className, list] : {std::tuple{"Field", "TextArea", PropertyList(kFieldList)},
                                             std::tuple{"Tag", "Label", PropertyList(kTagList)},
                                             std::tuple{"Last", "TextArea", PropertyList(kTabbedList<2>)},
                                             std::tuple{"Middle", "TextArea", PropertyList(kTabbedList<1>)},
                                             std::tuple{"First", "TextArea", PropertyList(kTabbedList<0>)}}) {
            auto control = New(ClassNamed(className));
            control->Constructor();
            AddControl(name, control);
            SetProperties(*ControlByName(name), list);
        }
    }
    void Event_Open() override
    {
        ++opens;
        selfSeenInOpen = ImplicitInstance<ProbeWnd>().get();
    }
    bool Poke(Canvas&, int32_t, int32_t) { return true; }
    ProbeWnd* selfSeenInOpen = nullptr;
};

class WindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        RegisterClass<ProbeWnd>(ProbeWnd::kQualifiedName, "Window");
        opens = 0;
    }
};

} // namespace

TEST_F(WindowTest, FindsTheOpenWindowHiddenOrNotAndBuildsAnewAfterClose)
{
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), nullptr);
    auto first = ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(first->selfSeenInOpen, first.get()) << "an Open handler asking for its own class gets itself";
    EXPECT_EQ(ImplicitInstance<ProbeWnd>(), first); // the second call builds nothing
    first->Hide();
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), first);
    EXPECT_FALSE(first->IsVisible());
    EXPECT_EQ(ImplicitInstance<ProbeWnd>(), first);
    EXPECT_EQ(opens, 1);

    first->Show();
    first->Close();
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), nullptr);
    auto second = ImplicitInstance<ProbeWnd>();
    EXPECT_NE(second, first);
    EXPECT_EQ(opens, 2);

    ReleaseWindowList();
    EXPECT_TRUE(WindowListReleased());
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), nullptr);
}

TEST_F(WindowTest, DelegateSignatureKindAndLifetimeAreChecked)
{
    auto window = ImplicitInstance<ProbeWnd>();
    auto canvas = RuntimeCheckCast<Canvas>(window->New(ClassNamed("Canvas")));
    canvas->Constructor();
    auto field = RuntimeCheckCast<TextArea>(window->ControlByName("Field"));

    auto poke = RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas, Int32, Int32 ) as Boolean", kWeakDelegate);
    EXPECT_THROW(RuntimeAddEventHandler(*field, EventId::MouseDown, poke), FrameworkError); // no such event
    EXPECT_THROW(RuntimeAddEventHandler(*canvas, EventId::MouseDown,
                                        RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas )", kWeakDelegate)),
                 FrameworkError);
    EXPECT_THROW(RuntimeCreateDelegate(&ProbeWnd::Poke, window, "( Canvas, Int32, Int32 ) as Boolean", 0),
                 FrameworkError);
    RuntimeAddEventHandler(*canvas, EventId::MouseDown, poke);
    EXPECT_TRUE(poke->Invoke(canvas.get(), EventArgs{3, 4, {}}));
    EXPECT_THROW(poke->Invoke(field.get(), EventArgs{}), FrameworkError); // wrong control class

    window->Close();
    window.reset();
    QApplication::processEvents(); // the closed window goes on the next turn of the loop
    EXPECT_THROW(poke->Invoke(canvas.get(), EventArgs{}), NilObjectException);
}

TEST_F(WindowTest, LocksDecideHowControlsFollowTheWindow)
{
    auto window = ImplicitInstance<ProbeWnd>();
    window->ResizeContent(260, 150); // 60 wider, 50 taller
    const QRect field = window->ControlByName("Field")->NativeWidget()->geometry();
    const QRect tag = window->ControlByName("Tag")->NativeWidget()->geometry();
    EXPECT_EQ(field, QRect(10, 10, 160, 100)); // stretched with both edges
    EXPECT_EQ(tag, QRect(210, 120, 40, 20));   // moved with the far edges
}

TEST_F(WindowTest, TextAreaWritesAreCheapTheWidgetShowsTheLastOneAndTypingGoesOnFromIt)
{
    auto field = RuntimeCheckCast<TextArea>(ImplicitInstance<ProbeWnd>()->ControlByName("Field"));
    auto* widget = static_cast<QTextEdit*>(field->NativeWidget());
    field->SetText("a\r");
    for (int i = 0; i < 2000; ++i)
        field->SetText(field->Text() + "x");
    EXPECT_EQ(field->Text().size(), 2002u); // CR kept as written
    QApplication::processEvents();
    EXPECT_EQ(widget->toPlainText().size(), 2002);
    EXPECT_TRUE(widget->toPlainText().startsWith("a\nx"));

    field->SetText("one\r\ntwo");
    EXPECT_EQ(field->Text(), "one\r\ntwo"); // read back exactly as written
    field->SetSelStart(5);                   // characters of the text: CR LF counts two
    field->SetSelLength(3);
    EXPECT_EQ(widget->textCursor().selectedText(), "two");
    EXPECT_EQ(field->SelStart(), 5);
    EXPECT_EQ(field->SelLength(), 3);
    field->SetSelBold(true);
    EXPECT_TRUE(field->SelBold());
    field->SetSelStart(0);
    field->SetSelLength(3);
    EXPECT_FALSE(field->SelBold());

    // What a person types after a write goes on from it, lines ending with CR.
    field->SetText("ab");
    QApplication::processEvents();
    widget->moveCursor(QTextCursor::End);
    QTest::keyClicks(widget, "c");
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClicks(widget, "d");
    EXPECT_EQ(field->Text(), "abc\rd");
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
    // Closed through its frame, as a person does, with nothing else holding it: it must not go
    // inside its own close event.
    std::weak_ptr<Window> window = ImplicitInstance<ProbeWnd>();
    window.lock()->NativeWidget()->close();
    EXPECT_EQ(GetImplicitWindow(ProbeWnd::kQualifiedName), nullptr);
    EXPECT_FALSE(window.expired());
    QApplication::processEvents();
    EXPECT_TRUE(window.expired());
}
