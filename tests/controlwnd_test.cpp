#include "windows/controlwnd.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/menubar1.h"
#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/controls/canvas.h"
#include "framework/controls/label.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/text.h"
#include "framework/windowing/menuitem.h"
#include "framework/windowing/windowlist.h"
#include "tests/testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/calculation.h"
#include "windows/descriptionwnd.h"

namespace {

QTextEdit* Edit(const std::shared_ptr<TextArea>& area) { return static_cast<QTextEdit*>(area->NativeWidget()); }

class ControlWndTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        window = ImplicitInstance<ControlWnd>();
    }
    void TearDown() override
    {
        window.reset();
        ProgramTest::TearDown();
    }

    // The window shown and active, so that the focus is real.
    void Activate()
    {
        window->Show();
        QApplication::setActiveWindow(window->NativeWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    }

    std::shared_ptr<ControlWnd> window;
    UiRecorder ui;
};

size_t OpenCount(std::string_view qualifiedName)
{
    size_t count = 0;
    for (const auto& open : OpenWindows())
        count += open->Class()->name == qualifiedName;
    return count;
}

const std::string kWorkedExampleTable = std::string(47, '+') + "\r" +
                                        "          Sequential                   Simple\r"
                                        "Test p    Critical p   Significant   Critical p\r"
                                        "++++++    ++++++++++   +++++++++++   ++++++++++\r"
                                        ".0100       .0167          yes         .0167\r"
                                        ".0300       .0250           no         .0167\r"
                                        ".0400       .0500           no         .0167\r" +
                                        std::string(47, '+') + "\r" + std::string(kCreditLine);

} // namespace

TEST_F(ControlWndTest, IsTheFixedSizeCalculatorWithItsMenuBar)
{
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), "Control");
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), QSize(470, 460));
    EXPECT_EQ(window->ContentWidget()->minimumSize(), window->ContentWidget()->maximumSize()) << "not resizable";
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->ContentWidget()->autoFillBackground());
    EXPECT_EQ(window->ContentWidget()->palette().color(QPalette::Window), QColor(Qt::white));

    EXPECT_EQ(window->GetMenuBar(), MenuBar1::ImplicitInstance());
    auto* bar = qobject_cast<QMenuBar*>(frame->layout()->menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_NE(bar->findChild<QMenu*>("EditMenu"), nullptr);
    // Without a bar the menu item accessors report a nil object instead of dereferencing one.
    window->SetMenuBar(nullptr);
    EXPECT_THROW(window->EditCopy(), NilObjectException);
    window->SetMenuBar(MenuBar1::ImplicitInstance());
    EXPECT_EQ(window->EditCopy()->Name(), "EditCopy");
}

TEST_F(ControlWndTest, ControlsShowWhatTheirListsSay)
{
    // Created in tab order: name, geometry, font pixel size (0 for a canvas, which has none), text.
    const std::tuple<const char*, QRect, int, const char*> rows[] = {
        {"QCanvas", {397, 278, 29, 43}, 0, nullptr},
        {"Nvariables", {266, 123, 37, 19}, 14, ""},
        {"ErrorFld", {266, 147, 37, 19}, 14, ""},
        {"InputFld1", {34, 210, 315, 220}, 10, ""},
        {"ClearBtn", {368, 400, 80, 30}, 12, "Clear"},
        {"CalculateBtn", {368, 350, 80, 30}, 12, "Calculate"},
        {"StaticText1", {34, 123, 214, 19}, 14, "Number of tests conducted:"},
        {"StaticText3", {35, 192, 133, 19}, 12, "Probability Values"},
        {"TitlePict", {20, -1, 435, 54}, 0, nullptr},
        {"StaticText2", {34, 148, 214, 19}, 14, "Experimentwise error rate:"},
        {"copytext", {136, 48, 200, 22}, 10, "\u00A9 2026 by the Quorvel developers"},
    };
    ASSERT_EQ(window->Controls().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [name, geometry, pixelSize, text] = rows[i];
        SCOPED_TRACE(name);
        const std::shared_ptr<RectControl>& control = window->Controls()[i];
        QWidget* widget = control->NativeWidget();
        EXPECT_EQ(control->Name(), name);
        EXPECT_EQ(widget->parentWidget(), window->ContentWidget());
        EXPECT_EQ(widget->geometry(), geometry);
        EXPECT_TRUE(widget->isVisibleTo(window->NativeWidget()));
        if (pixelSize != 0) {
            EXPECT_EQ(widget->font().pixelSize(), pixelSize);
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text().toStdString(), text);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text().toStdString(), text);
        } else if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
            EXPECT_EQ(edit->toPlainText().toStdString(), text);
        }
    }

    // The small fields centre their numbers; the list field scrolls; all are Courier.
    for (auto [area, alignment, vertical] :
         {std::tuple{window->Nvariables(), Qt::AlignHCenter, Qt::ScrollBarAlwaysOff},
          std::tuple{window->ErrorFld(), Qt::AlignHCenter, Qt::ScrollBarAlwaysOff},
          std::tuple{window->InputFld1(), Qt::AlignLeft, Qt::ScrollBarAsNeeded}}) {
        SCOPED_TRACE(area->Name());
        EXPECT_EQ(Edit(area)->document()->defaultTextOption().alignment(), alignment);
        EXPECT_EQ(Edit(area)->verticalScrollBarPolicy(), vertical);
        EXPECT_EQ(area->TextFont(), "Courier");
    }

    // The field labels in the program's green, the credit in a lighter green, bold and centred.
    for (auto [label, colour, alignment, bold] :
         {std::tuple{window->StaticText1(), QColor(0x18, 0x75, 0x34), Qt::AlignLeft, false},
          std::tuple{window->copytext(), QColor(0x5D, 0xA3, 0x1E), Qt::AlignHCenter, true}}) {
        SCOPED_TRACE(label->Name());
        auto* widget = static_cast<QLabel*>(label->NativeWidget());
        EXPECT_EQ(widget->palette().color(QPalette::WindowText), colour);
        EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, alignment);
        EXPECT_EQ(widget->font().bold(), bold);
    }

    EXPECT_EQ(window->QCanvas()->NativeWidget()->toolTip(), "Description of Quorvel");
    ASSERT_NE(Question48(), nullptr);
    ASSERT_NE(Vesk(), nullptr);
    EXPECT_EQ(window->QCanvas()->Backdrop(), Question48());
    EXPECT_EQ(window->TitlePict()->Backdrop(), Vesk());
}

TEST_F(ControlWndTest, TabVisitsTheFieldsAndButtonsButNeverThePictures)
{
    Activate();
    EXPECT_EQ(window->QCanvas()->NativeWidget()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(window->TitlePict()->NativeWidget()->focusPolicy(), Qt::NoFocus);

    window->Nvariables()->SetFocus();
    ASSERT_TRUE(window->Nvariables()->HasFocus());
    const std::shared_ptr<RectControl> order[] = {window->ErrorFld(), window->InputFld1(), window->ClearBtn(),
                                                  window->CalculateBtn(), window->Nvariables()};
    for (const auto& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(next->HasFocus()) << "expected " << next->Name() << ", focus is on "
                                      << QApplication::focusWidget()->objectName().toStdString();
    }
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_EQ(window->Nvariables()->Text(), "");
}

TEST_F(ControlWndTest, TypedValuesGiveTheWorkedExampleTableAndClearEmptiesTheFields)
{
    Activate();
    // What a person types goes through the widget, lines ending in CR as the framework's do.
    QTest::keyClicks(Edit(window->Nvariables()), "3");
    QTest::keyClicks(Edit(window->ErrorFld()), ".05");
    QTextEdit* list = Edit(window->InputFld1());
    QTest::keyClicks(list, ".01");
    for (const char* value : {".04", ".03"}) {
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClicks(list, value);
    }
    EXPECT_EQ(window->InputFld1()->Text(), ".01\r.04\r.03");
    QTest::mouseClick(window->CalculateBtn()->NativeWidget(), Qt::LeftButton);

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(window->InputFld1()->Text(), kWorkedExampleTable);
    EXPECT_EQ(window->Nvariables()->Text(), "3");
    EXPECT_EQ(window->ErrorFld()->Text(), ".05");
    // The widget catches up on the next turn of the event loop.
    QCoreApplication::processEvents();
    EXPECT_EQ(list->toPlainText().toStdString(), ReplaceLineEndings(kWorkedExampleTable, "\n"));

    // The table is no list of p-values: a second click without Clear says so and keeps it.
    window->CalculateBtn()->Push();
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kBadStatisticMessage)});
    EXPECT_EQ(window->InputFld1()->Text(), kWorkedExampleTable);

    // Clear empties every field, on screen too, and returns the focus to the number of tests.
    window->InputFld1()->SetFocus();
    QTest::mouseClick(window->ClearBtn()->NativeWidget(), Qt::LeftButton);
    QCoreApplication::processEvents();
    for (const auto& field : {window->Nvariables(), window->ErrorFld(), window->InputFld1()}) {
        EXPECT_EQ(field->Text(), "") << field->Name();
        EXPECT_TRUE(Edit(field)->toPlainText().isEmpty()) << field->Name();
    }
    EXPECT_TRUE(window->Nvariables()->HasFocus());
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ControlWndTest, EachMessageLeavesEveryFieldAsItWas)
{
    for (auto [tests, alpha, list, message] : {std::tuple{"1", ".05", ".01\r.02", kTestsRangeMessage},
                                               std::tuple{"3", "1", ".01\r.02\r.03", kErrorRateRangeMessage},
                                               std::tuple{"3", ".05", "", kNoTestDataMessage},
                                               std::tuple{"2", ".05", ".01\rabc", kBadStatisticMessage}}) {
        SCOPED_TRACE(message);
        ui.messages.clear();
        window->Nvariables()->SetText(tests);
        window->ErrorFld()->SetText(alpha);
        window->InputFld1()->SetText(list);
        window->CalculateBtn()->Push();
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(message)});
        EXPECT_EQ(window->Nvariables()->Text(), tests);
        EXPECT_EQ(window->ErrorFld()->Text(), alpha);
        EXPECT_EQ(window->InputFld1()->Text(), list);
    }
}

TEST_F(ControlWndTest, KeyFiltersDropAllButDigitsAndControlKeysWithABeep)
{
    // Typed through the widget: the dropped key leaves the text and beeps once.
    QTest::keyClicks(Edit(window->Nvariables()), "12a");
    EXPECT_EQ(window->Nvariables()->Text(), "12");
    EXPECT_EQ(ui.beeps, 1);
    QTest::keyClicks(Edit(window->ErrorFld()), ".. -");
    EXPECT_EQ(window->ErrorFld()->Text(), "..");
    EXPECT_EQ(ui.beeps, 3);

    // The digit test compares the key as text, so a key of several characters between "0" and
    // "9" passes; anything else passes only as a control character (or the point, for the rate).
    // Each key, and whether the number of tests and the error rate drop it.
    const std::tuple<const char*, bool, bool> rows[] = {
        {"0", false, false},  {"9", false, false},    {"12", false, false},   {"5a", false, false},
        {"9a", true, true},   {"/", true, true},      {":", true, true},      {".", true, false},
        {".5", true, false},  {" ", true, true},      {"-", true, true},      {"e", true, true},
        {"\x7f", false, false}, {"\x1f", false, false}, {"\r", false, false}, {"\u00E9", true, true},
        {"", false, false},
    };
    for (const auto& [key, dropsInTests, dropsInRate] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(key)));
        ui.beeps = 0;
        EXPECT_EQ(window->Nvariables_KeyDown(*window->Nvariables(), key), dropsInTests);
        EXPECT_EQ(window->ErrorFld_KeyDown(*window->ErrorFld(), key), dropsInRate);
        EXPECT_EQ(ui.beeps, int(dropsInTests) + int(dropsInRate)) << "a beep for each dropped key";
    }

    // Editing and moving keys pass through the widget without a beep.
    ui.beeps = 0;
    QTextEdit* tests = Edit(window->Nvariables());
    QTest::keyClick(tests, Qt::Key_Left);
    QTest::keyClick(tests, Qt::Key_Backspace); // the 1
    QTest::keyClick(tests, Qt::Key_Delete);    // the 2
    EXPECT_EQ(window->Nvariables()->Text(), "");
    QTest::keyClicks(tests, "45");
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_End, Qt::Key_Return,
                        Qt::Key_Escape, Qt::Key_Tab})
        QTest::keyClick(tests, key);
    EXPECT_EQ(window->Nvariables()->Text(), "45\r") << "the fields are multi-line: Return is a line break";
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ControlWndTest, LengthLimitsHoldForTypingAndPaste)
{
    QTextEdit* tests = Edit(window->Nvariables());
    QTextEdit* rate = Edit(window->ErrorFld());

    QTest::keyClicks(tests, "12345");
    EXPECT_EQ(window->Nvariables()->Text(), "123");
    QTest::keyClicks(rate, ".012345");
    EXPECT_EQ(window->ErrorFld()->Text(), ".012");
    EXPECT_EQ(ui.beeps, 0) << "a full field refuses quietly";
    // A full field still takes the keys that remove text.
    QTest::keyClick(rate, Qt::Key_Backspace);
    QTest::keyClicks(rate, "5");
    EXPECT_EQ(window->ErrorFld()->Text(), ".015");

    QApplication::clipboard()->setText("98765");
    window->Nvariables()->SetText("");
    tests->paste();
    EXPECT_EQ(window->Nvariables()->Text(), "987");
    // Pasting over a selection makes room for what replaces it.
    tests->selectAll();
    tests->paste();
    EXPECT_EQ(window->Nvariables()->Text(), "987");
    window->ErrorFld()->SetText("");
    rate->paste();
    EXPECT_EQ(window->ErrorFld()->Text(), "9876");

    const std::string many(5000, '1');
    QApplication::clipboard()->setText(QString::fromStdString(many));
    Edit(window->InputFld1())->paste();
    EXPECT_EQ(window->InputFld1()->Text(), many) << "the p-value field has no limit";
}

TEST_F(ControlWndTest, TheQuestionMarkShowsOneDescriptionWindow)
{
    ASSERT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), nullptr);
    QTest::mouseClick(window->QCanvas()->NativeWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    auto description = GetImplicitWindow(DescriptionWnd::kQualifiedName);
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());
    QTest::mouseClick(window->QCanvas()->NativeWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(OpenCount(DescriptionWnd::kQualifiedName), 1u);
    EXPECT_EQ(GetImplicitWindow(DescriptionWnd::kQualifiedName), description);

    description->Close(); // the user closes it; the next click builds a new one
    QTest::mouseClick(window->QCanvas()->NativeWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_NE(GetImplicitWindow(DescriptionWnd::kQualifiedName), description);
    EXPECT_EQ(OpenCount(DescriptionWnd::kQualifiedName), 1u);
}

TEST_F(ControlWndTest, ActivationHidesTheAboutWindowBuildingItFirst)
{
    ASSERT_EQ(GetImplicitWindow(AboutWnd::kQualifiedName), nullptr);
    window->DeliverActivate();
    auto about = GetImplicitWindow(AboutWnd::kQualifiedName);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsVisible());
    QApplication::processEvents();
    EXPECT_FALSE(about->NativeWidget()->isVisible()); // and it never came on screen

    about->Show();
    window->DeliverActivate();
    EXPECT_FALSE(about->IsVisible());
    window->DeliverActivate(); // hiding a hidden window changes nothing
    EXPECT_FALSE(about->IsVisible());
    EXPECT_EQ(OpenCount(AboutWnd::kQualifiedName), 1u);
}

TEST_F(ControlWndTest, MenuHandlersAreRegisteredThoughNoMenuItemHasTheirNames)
{
    for (auto [item, shown] : {std::pair{"DescriptionMenuItem", DescriptionWnd::kQualifiedName},
                               std::pair{"AboutVesk", AboutWnd::kQualifiedName}}) {
        EXPECT_EQ(window->GetMenuBar()->Lookup(item), nullptr);
        ASSERT_NE(window->MenuHandler(item), nullptr) << item;
        EXPECT_FALSE(window->MenuHandler(item)->Invoke(nullptr, {}));
        ASSERT_NE(GetImplicitWindow(shown), nullptr) << item;
        EXPECT_TRUE(GetImplicitWindow(shown)->IsVisible()) << item;
    }
}
