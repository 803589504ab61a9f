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

#include <optional>
#include <string>
#include <vector>

#include "app/menubar1.h"
#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/canvas.h"
#include "framework/label.h"
#include "framework/menuitem.h"
#include "framework/propertylist.h"
#include "framework/pushbutton.h"
#include "framework/text.h"
#include "framework/textarea.h"
#include "resources/layoutlists.h"
#include "tests/testsupport.h"
#include "windows/calculation.h"

namespace {

class ControlWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterAllClasses();
        window = ImplicitInstance<ControlWnd>();
        ASSERT_NE(window, nullptr);
        // The same window serves every test of a process: start each from empty fields.
        for (const auto& field : {window->Nvariables(), window->ErrorFld(), window->InputFld1()})
            field->SetText("");
        QCoreApplication::processEvents();
    }

    void TearDown() override { EXPECT_EQ(TakePendingException(), nullptr) << "a handler let an exception escape"; }

    static QTextEdit* Edit(const std::shared_ptr<TextArea>& area) { return static_cast<QTextEdit*>(area->NativeWidget()); }

    // The window shown and active, so that the focus is real.
    void Activate()
    {
        window->Show();
        QApplication::setActiveWindow(window->NativeWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWidget()));
    }

    void Fill(const std::string& tests, const std::string& alpha, const std::string& list)
    {
        window->Nvariables()->SetText(tests);
        window->ErrorFld()->SetText(alpha);
        window->InputFld1()->SetText(list);
    }

    std::shared_ptr<ControlWnd> window;
    UiRecorder ui;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

const std::vector<std::string> kWorkedExampleTable = {
    std::string(47, '+') + "\r",
    "          Sequential                   Simple\r",
    "Test p    Critical p   Significant   Critical p\r",
    "++++++    ++++++++++   +++++++++++   ++++++++++\r",
    ".0100       .0167          yes         .0167\r",
    ".0300       .0250           no         .0167\r",
    ".0400       .0500           no         .0167\r",
    std::string(47, '+') + "\r",
    std::string(kCreditLine),
};

// Steps over one list entry by entry as a reader must; returns the name of the last entry and
// the offset where reading stopped (the list's size when the list is well formed).
struct Walk {
    std::string lastName;
    std::vector<uint8_t> lastValue;
    size_t end = 0;
    size_t entries = 0;
};

Walk WalkList(PropertyList list)
{
    Walk walk;
    size_t at = 0;
    while (at < list.size()) {
        size_t blank = at;
        while (blank < list.size() && list[blank] != ' ')
            ++blank;
        const std::string name(list.begin() + at, list.begin() + blank);
        const std::optional<PropertyType> type = PropertyTypeOf(name);
        if (!type || blank == list.size())
            break;
        size_t value = blank + 1;
        size_t width = *type == PropertyType::Boolean ? 1 : *type == PropertyType::Color ? 3 : 4;
        if (*type == PropertyType::String && value + 4 <= list.size())
            width += (size_t(list[value]) << 24) | (size_t(list[value + 1]) << 16) | (size_t(list[value + 2]) << 8) |
                     size_t(list[value + 3]);
        if (value + width > list.size())
            break;
        walk.lastName = name;
        walk.lastValue.assign(list.begin() + value, list.begin() + value + width);
        at = value + width;
        ++walk.entries;
    }
    walk.end = at;
    return walk;
}

} // namespace

TEST_F(ControlWndTest, WindowIsTheFixedSizeCalculatorWithItsMenuBar)
{
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), "Control");
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(window->ContentWidth(), 470);
    EXPECT_EQ(window->ContentHeight(), 460);
    EXPECT_EQ(window->ContentWidget()->minimumSize(), window->ContentWidget()->maximumSize()) << "not resizable";
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    const Color white{0xFF, 0xFF, 0xFF};
    EXPECT_EQ(window->ColorProperty("BackColor"), white);
    EXPECT_TRUE(window->ContentWidget()->autoFillBackground());

    EXPECT_EQ(window->GetMenuBar(), MenuBar1::ImplicitInstance());
    auto* bar = qobject_cast<QMenuBar*>(frame->layout()->menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_NE(bar->findChild<QMenu*>("EditMenu"), nullptr);
}

TEST_F(ControlWndTest, MenuItemAccessorsFindTheirItemsInTheBar)
{
    const struct {
        std::shared_ptr<MenuItem> (ControlWnd::*accessor)();
        const char* name;
    } rows[] = {
        {&ControlWnd::EditMenu, "EditMenu"},           {&ControlWnd::EditSelectAll, "EditSelectAll"},
        {&ControlWnd::UntitledMenu0, "UntitledMenu0"}, {&ControlWnd::EditClear, "EditClear"},
        {&ControlWnd::EditPaste, "EditPaste"},         {&ControlWnd::EditCopy, "EditCopy"},
        {&ControlWnd::EditCut, "EditCut"},             {&ControlWnd::UntitledMenu1, "UntitledMenu1"},
        {&ControlWnd::EditUndo, "EditUndo"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::shared_ptr<MenuItem> item = ((*window).*row.accessor)();
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Name(), row.name);
    }
    EXPECT_EQ(window->EditMenu()->Text(), "&Edit");
    EXPECT_TRUE(window->UntitledMenu0()->IsSeparator());

    // Without a bar the accessors report a nil object instead of dereferencing one.
    window->SetMenuBar(nullptr);
    EXPECT_THROW(window->EditCopy(), NilObjectException);
    window->SetMenuBar(MenuBar1::ImplicitInstance());
    EXPECT_NE(window->EditCopy(), nullptr);
}

TEST_F(ControlWndTest, ControlsStandWhereTheirListsPutThem)
{
    const struct {
        const char* name;
        const char* className;
        QRect geometry;
        int pixelSize; // 0 for a canvas, which has no font of its own
    } rows[] = {
        {"QCanvas", "Canvas", {397, 278, 29, 43}, 0},
        {"Nvariables", "TextArea", {266, 123, 37, 19}, 14},
        {"ErrorFld", "TextArea", {266, 147, 37, 19}, 14},
        {"InputFld1", "TextArea", {34, 210, 315, 220}, 10},
        {"ClearBtn", "PushButton", {368, 400, 80, 30}, 12},
        {"CalculateBtn", "PushButton", {368, 350, 80, 30}, 12},
        {"StaticText1", "Label", {34, 123, 214, 19}, 14},
        {"StaticText3", "Label", {35, 192, 133, 19}, 12},
        {"TitlePict", "Canvas", {20, -1, 435, 54}, 0},
        {"StaticText2", "Label", {34, 148, 214, 19}, 14},
        {"copytext", "Label", {136, 48, 200, 22}, 10},
    };
    ASSERT_EQ(window->Controls().size(), std::size(rows));
    int32_t tabIndex = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // Created in tab order.
        const std::shared_ptr<RectControl>& control = window->Controls()[size_t(tabIndex)];
        EXPECT_EQ(control->Name(), row.name);
        ASSERT_NE(control->Class(), nullptr);
        EXPECT_EQ(control->Class()->name, row.className);
        EXPECT_EQ(control->TabIndex(), tabIndex++);
        EXPECT_EQ(control->IntProperty("Index"), INT32_MIN);
        EXPECT_EQ(control->NativeWidget()->parentWidget(), window->ContentWidget());
        EXPECT_EQ(control->NativeWidget()->geometry(), row.geometry);
        EXPECT_TRUE(control->NativeWidget()->isVisibleTo(window->NativeWidget()));
        EXPECT_TRUE(control->NativeWidget()->isEnabled());
        if (row.pixelSize != 0) {
            auto text = std::dynamic_pointer_cast<TextControl>(control);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->TextSize(), float(row.pixelSize));
            EXPECT_EQ(text->TextUnit(), FontUnits::Default);
            EXPECT_EQ(control->NativeWidget()->font().pixelSize(), row.pixelSize);
        }
    }
}

TEST_F(ControlWndTest, TextAreasCarryTheirListValues)
{
    const struct {
        std::shared_ptr<TextArea> area;
        int32_t limitText;
        Qt::Alignment alignment;
        Qt::ScrollBarPolicy vertical;
        bool styled;
    } rows[] = {
        {window->Nvariables(), 3, Qt::AlignHCenter, Qt::ScrollBarAlwaysOff, false},
        {window->ErrorFld(), 4, Qt::AlignHCenter, Qt::ScrollBarAlwaysOff, false},
        {window->InputFld1(), 0, Qt::AlignLeft, Qt::ScrollBarAsNeeded, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.area->Name());
        QTextEdit* edit = Edit(row.area);
        EXPECT_EQ(row.area->LimitText(), row.limitText);
        EXPECT_EQ(edit->document()->defaultTextOption().alignment(), row.alignment);
        EXPECT_EQ(edit->verticalScrollBarPolicy(), row.vertical);
        EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(row.area->BoolProperty("Styled"), row.styled);
        EXPECT_EQ(row.area->StringProperty("TextFont"), "Courier");
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0, 0, 0));
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xFF));
        EXPECT_NE(edit->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(edit->focusPolicy(), Qt::StrongFocus);
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_TRUE(edit->tabChangesFocus());
        EXPECT_EQ(row.area->Text(), "");
    }
}

TEST_F(ControlWndTest, LabelsButtonsAndPicturesShowWhatTheListsSay)
{
    const struct {
        std::shared_ptr<Label> label;
        const char* text;
        QColor colour;
        Qt::Alignment alignment;
        bool bold;
    } labels[] = {
        {window->StaticText1(), "Number of tests conducted:", QColor(0x18, 0x75, 0x34), Qt::AlignLeft, false},
        {window->StaticText3(), "Probability Values", QColor(0x18, 0x75, 0x34), Qt::AlignLeft, false},
        {window->StaticText2(), "Experimentwise error rate:", QColor(0x18, 0x75, 0x34), Qt::AlignLeft, false},
        {window->copytext(), nullptr, QColor(0x5D, 0xA3, 0x1E), Qt::AlignHCenter, true},
    };
    for (const auto& row : labels) {
        SCOPED_TRACE(row.label->Name());
        auto* widget = static_cast<QLabel*>(row.label->NativeWidget());
        if (row.text != nullptr) {
            EXPECT_EQ(row.label->Text(), row.text);
        }
        EXPECT_EQ(widget->text().toStdString(), row.label->Text());
        EXPECT_EQ(widget->palette().color(QPalette::WindowText), row.colour);
        EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, row.alignment);
        EXPECT_EQ(widget->font().bold(), row.bold);
        EXPECT_FALSE(widget->wordWrap());
        EXPECT_EQ(widget->textInteractionFlags(), Qt::NoTextInteraction);
    }

    // The credit: 32 characters, the copyright sign the only one outside ASCII.
    const std::string credit = window->copytext()->Text();
    EXPECT_EQ(credit.size(), 33u);
    EXPECT_EQ(Len(credit), 32);
    EXPECT_NE(credit.find("\u00A9"), std::string::npos);
    EXPECT_NE(credit.find("the Quorvel developers"), std::string::npos);
    EXPECT_EQ(window->copytext()->StringProperty("TextFont"), "times");

    EXPECT_EQ(static_cast<QPushButton*>(window->ClearBtn()->NativeWidget())->text(), "Clear");
    EXPECT_EQ(static_cast<QPushButton*>(window->CalculateBtn()->NativeWidget())->text(), "Calculate");
    for (const auto& button : {window->ClearBtn(), window->CalculateBtn()}) {
        auto* widget = static_cast<QPushButton*>(button->NativeWidget());
        EXPECT_FALSE(widget->isDefault());
        EXPECT_EQ(widget->focusPolicy(), Qt::StrongFocus);
    }

    EXPECT_EQ(window->QCanvas()->NativeWidget()->toolTip(), "Description of Quorvel");
    EXPECT_EQ(window->TitlePict()->NativeWidget()->toolTip(), "");
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
    EXPECT_FALSE(window->QCanvas()->TakesTabFocus());
    EXPECT_FALSE(window->TitlePict()->TakesTabFocus());

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

TEST_F(ControlWndTest, EveryListIsRegisteredAndEndsWithItsLastEntry)
{
    // Entries: 21 for the window; 12 shared by every control and then 11 for a canvas, 29 for a
    // text area, 14 for a push button and 17 for a label.
    const struct {
        const char* object;
        size_t bytes;
        size_t entries;
        const char* lastName;
    } rows[] = {
        {"ControlWnd", 274, 21, "MacProcID"},
        {"ControlWnd.QCanvas", 302, 23, "InitialParent"},
        {"ControlWnd.Nvariables", 516, 41, "InitialParent"},
        {"ControlWnd.ErrorFld", 514, 41, "InitialParent"},
        {"ControlWnd.InputFld1", 515, 41, "InitialParent"},
        {"ControlWnd.ClearBtn", 305, 26, "InitialParent"},
        {"ControlWnd.CalculateBtn", 313, 26, "InitialParent"},
        {"ControlWnd.StaticText1", 376, 29, "InitialParent"},
        {"ControlWnd.StaticText3", 368, 29, "InitialParent"},
        {"ControlWnd.TitlePict", 282, 23, "InitialParent"},
        {"ControlWnd.StaticText2", 376, 29, "InitialParent"},
        {"ControlWnd.copytext", 379, 29, "InitialParent"},
    };
    const std::vector<NamedLayoutList> all = AllLayoutLists();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.object);
        const NamedLayoutList* found = nullptr;
        for (const NamedLayoutList& named : all)
            if (named.object == row.object)
                found = &named;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->list.size(), row.bytes);
        const Walk walk = WalkList(found->list);
        EXPECT_EQ(walk.end, found->list.size()) << "no trailing or missing bytes";
        EXPECT_EQ(walk.entries, row.entries);
        EXPECT_EQ(walk.lastName, row.lastName);
        EXPECT_EQ(walk.lastValue, std::vector<uint8_t>(4, 0)) << "an empty string or a zero";
    }
}

TEST_F(ControlWndTest, CalculateWritesTheWorkedExampleTable)
{
    Fill("3", ".05", ".01\r.04\r.03");
    QTest::mouseClick(window->CalculateBtn()->NativeWidget(), Qt::LeftButton);

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(window->InputFld1()->Text(), Joined(kWorkedExampleTable));
    EXPECT_EQ(window->Nvariables()->Text(), "3");
    EXPECT_EQ(window->ErrorFld()->Text(), ".05");
    // The widget catches up on the next turn of the event loop, a line per line of the table.
    QCoreApplication::processEvents();
    EXPECT_EQ(Edit(window->InputFld1())->toPlainText().toStdString(),
              ReplaceLineEndings(Joined(kWorkedExampleTable), "\n"));

    // The table is no list of p-values: a second click without Clear says so and keeps it.
    window->CalculateBtn()->Push();
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kBadStatisticMessage)});
    EXPECT_EQ(window->InputFld1()->Text(), Joined(kWorkedExampleTable));
}

TEST_F(ControlWndTest, EachMessageLeavesEveryFieldAsItWas)
{
    const struct {
        const char* tests;
        const char* alpha;
        const char* list;
        std::string_view message;
    } rows[] = {
        {"", ".05", ".01\r.02", kTestsRangeMessage},
        {"1", ".05", ".01\r.02", kTestsRangeMessage},
        {"3", "", ".01\r.02\r.03", kErrorRateRangeMessage},
        {"3", "1", ".01\r.02\r.03", kErrorRateRangeMessage},
        {"3", ".05", "", kNoTestDataMessage},
        {"3", ".05", ".01\r.02", kBadStatisticMessage},
        {"2", ".05", ".01\rabc", kBadStatisticMessage},
        {"2", ".05", ".01\r1", kBadStatisticMessage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.tests) + " / " + row.alpha + " / " + row.list);
        ui.messages.clear();
        Fill(row.tests, row.alpha, row.list);
        window->CalculateBtn()->Push();
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(row.message)});
        EXPECT_EQ(window->Nvariables()->Text(), row.tests);
        EXPECT_EQ(window->ErrorFld()->Text(), row.alpha);
        EXPECT_EQ(window->InputFld1()->Text(), row.list);
    }
}

TEST_F(ControlWndTest, TypedValuesAreReadAsTheyAppear)
{
    // What a person types goes through the widget, lines ending in CR as the framework's do.
    QTest::keyClicks(Edit(window->Nvariables()), "3");
    QTest::keyClicks(Edit(window->ErrorFld()), ".05");
    QTextEdit* list = Edit(window->InputFld1());
    for (const char* value : {".01", ".04", ".03"}) {
        if (!list->toPlainText().isEmpty())
            QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClicks(list, value);
    }
    EXPECT_EQ(window->InputFld1()->Text(), ".01\r.04\r.03");
    window->CalculateBtn()->Push();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(window->InputFld1()->Text(), Joined(kWorkedExampleTable));
}

TEST_F(ControlWndTest, KeyFiltersLetDigitsAndEditingKeysThrough)
{
    QTextEdit* tests = Edit(window->Nvariables());
    QTextEdit* rate = Edit(window->ErrorFld());

    QTest::keyClicks(tests, "12a");
    EXPECT_EQ(window->Nvariables()->Text(), "12");
    EXPECT_EQ(ui.beeps, 1);

    const struct {
        const char* typed;
        bool dropsInTests;
        bool dropsInRate;
    } rows[] = {
        {".", true, false}, {" ", true, true}, {"-", true, true}, {"e", true, true},
        {"/", true, true},  {":", true, true}, {"0", false, false}, {"9", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        for (const auto& [field, drops] : {std::pair{window->Nvariables(), row.dropsInTests},
                                           std::pair{window->ErrorFld(), row.dropsInRate}}) {
            field->SetText("");
            ui.beeps = 0;
            QTest::keyClicks(Edit(field), row.typed);
            EXPECT_EQ(field->Text(), drops ? "" : row.typed) << field->Name();
            EXPECT_EQ(ui.beeps, drops ? 1 : 0) << field->Name();
        }
    }

    window->ErrorFld()->SetText("");
    ui.beeps = 0;
    QTest::keyClicks(rate, "..");
    EXPECT_EQ(window->ErrorFld()->Text(), "..");
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ControlWndTest, KeyFiltersCompareTheWholeKeyText)
{
    // The digit test compares the key as text, so a key of several characters between "0" and
    // "9" passes; anything else passes only as a control character (or the point, for the rate).
    const struct {
        const char* key;
        bool dropsInTests;
        bool dropsInRate;
    } rows[] = {
        {"0", false, false},  {"9", false, false},    {"12", false, false},   {"5a", false, false},
        {"9a", true, true},   {"/", true, true},      {":", true, true},      {".", true, false},
        {".5", true, false},  {"\x7f", false, false}, {"\x1f", false, false}, {"\r", false, false},
        {"\u00E9", true, true}, {"", false, false},
    };
    TextArea& tests = *window->Nvariables();
    TextArea& rate = *window->ErrorFld();
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.key)));
        ui.beeps = 0;
        EXPECT_EQ(window->Nvariables_KeyDown(tests, row.key), row.dropsInTests);
        EXPECT_EQ(window->ErrorFld_KeyDown(rate, row.key), row.dropsInRate);
        EXPECT_EQ(ui.beeps, int(row.dropsInTests) + int(row.dropsInRate)) << "a beep for each dropped key";
    }
}

TEST_F(ControlWndTest, EditingAndMovingKeysPassWithoutABeep)
{
    QTextEdit* tests = Edit(window->Nvariables());
    QTest::keyClicks(tests, "12");
    QTest::keyClick(tests, Qt::Key_Left);
    QTest::keyClick(tests, Qt::Key_Backspace); // the 1
    EXPECT_EQ(window->Nvariables()->Text(), "2");
    QTest::keyClick(tests, Qt::Key_Delete); // the 2
    EXPECT_EQ(window->Nvariables()->Text(), "");
    QTest::keyClicks(tests, "45");
    QTest::keyClick(tests, Qt::Key_Home);
    QTest::keyClick(tests, Qt::Key_Right);
    QTest::keyClick(tests, Qt::Key_Up);
    QTest::keyClick(tests, Qt::Key_Down);
    QTest::keyClick(tests, Qt::Key_End);
    QTest::keyClick(tests, Qt::Key_Return); // the fields are multi-line, so it is a line break
    EXPECT_EQ(window->Nvariables()->Text(), "45\r");
    QTest::keyClick(tests, Qt::Key_Escape);
    QTest::keyClick(tests, Qt::Key_Tab);
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

TEST_F(ControlWndTest, ClearEmptiesTheFieldsAndReturnsToTheNumberOfTests)
{
    Activate();
    // On empty fields it changes nothing but the focus.
    window->InputFld1()->SetFocus();
    QTest::mouseClick(window->ClearBtn()->NativeWidget(), Qt::LeftButton);
    EXPECT_TRUE(window->Nvariables()->HasFocus());
    for (const auto& field : {window->Nvariables(), window->ErrorFld(), window->InputFld1()})
        EXPECT_EQ(field->Text(), "") << field->Name();

    Fill("3", ".05", ".01\r.04\r.03");
    QTest::mouseClick(window->CalculateBtn()->NativeWidget(), Qt::LeftButton);
    ASSERT_EQ(window->InputFld1()->Text(), Joined(kWorkedExampleTable));
    EXPECT_TRUE(window->CalculateBtn()->HasFocus());
    QTest::mouseClick(window->ClearBtn()->NativeWidget(), Qt::LeftButton);
    QCoreApplication::processEvents();
    for (const auto& field : {window->Nvariables(), window->ErrorFld(), window->InputFld1()}) {
        EXPECT_EQ(field->Text(), "") << field->Name();
        EXPECT_TRUE(Edit(field)->toPlainText().isEmpty()) << field->Name();
    }
    EXPECT_TRUE(window->Nvariables()->HasFocus());
    EXPECT_TRUE(ui.messages.empty());
}
