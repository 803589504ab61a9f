#include "windows/controlwnd.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/pictureitems.h"
#include "app/windowaccessor.h"
#include "framework/controls/canvas.h"
#include "framework/controls/label.h"
#include "framework/controls/pushbutton.h"
#include "framework/controls/textarea.h"
#include "framework/core/text.h"
#include "framework/windowing/windowlist.h"
#include "tests/testsupport.h"
#include "windows/aboutwnd.h"
#include "windows/calculation.h"
#include "windows/descriptionwnd.h"

namespace {

QPlainTextEdit* Edit(const std::shared_ptr<TextArea>& area)
{
    return static_cast<QPlainTextEdit*>(area->NativeWidget());
}

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

// Dragged in and let go, as a move: what a drag between the fields proposes. Returns how the drop
// ended, or nothing when it was refused.
std::optional<Qt::DropAction> Drop(QPlainTextEdit& edit, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(30, 8);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(edit.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(edit.viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(drop.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(edit.viewport(), &drop);
    return drop.isAccepted() ? std::optional(drop.dropAction()) : std::nullopt;
}

enum class Way { Key, CtrlShiftKey, AltKey, CtrlAltKey, CtrlKey, InputMethod, Paste, Drop };

// Puts the text in as one key (with the modifiers the way names), one commit, one paste or one
// drop, in place of the selection that starts at from (the end of the text when -1) and holds
// length characters. A commit also replaces the replaced characters after the cursor. A key "\r"
// is Return, "\t" is Tab.
void Insert(TextArea& area, Way way, const QString& text, int32_t from = -1, int32_t length = 0, int replaced = 0)
{
    area.SetSelStart(from < 0 ? Len(area.Text()) : from);
    area.SetSelLength(length);
    auto* edit = static_cast<QPlainTextEdit*>(area.NativeWidget());
    switch (way) {
    case Way::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(text, 0, replaced);
        QApplication::sendEvent(edit, &commit);
        return;
    }
    case Way::Paste:
        QApplication::clipboard()->setText(text);
        edit->paste();
        return;
    case Way::Drop:
        Drop(*edit, text);
        return;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers[] = {
        Qt::NoModifier, Qt::ControlModifier | Qt::ShiftModifier, Qt::AltModifier,
        Qt::ControlModifier | Qt::AltModifier, Qt::ControlModifier};
    const QChar first = text.isEmpty() ? QChar() : text.front();
    // A formatting character typed with Ctrl and Shift comes with the space bar on its layout.
    const int key = text == "\r"                                ? int(Qt::Key_Return)
                    : text == "\t"                              ? int(Qt::Key_Tab)
                    : first.category() == QChar::Other_Format   ? int(Qt::Key_Space)
                    : text.size() == 1 && first.unicode() < 128 ? int(first.toUpper().unicode())
                                                                : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, modifiers[static_cast<int>(way)], text);
    QApplication::sendEvent(edit, &press);
}

} // namespace

TEST_F(ControlWndTest, IsTheFixedSizeWhiteCalculatorWithItsMenuBar)
{
    QWidget* frame = window->NativeWidget();
    EXPECT_EQ(frame->windowTitle(), "Control");
    EXPECT_EQ(QSize(window->ContentWidth(), window->ContentHeight()), QSize(470, 460));
    EXPECT_EQ(window->ContentWidget()->minimumSize(), window->ContentWidget()->maximumSize()) << "not resizable";
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->ContentWidget()->grab().toImage().pixelColor(5, 100), QColor(Qt::white));

    auto* bar = qobject_cast<QMenuBar*>(frame->layout()->menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(bar->findChild<QMenu*>("EditMenu"), nullptr);
}

TEST_F(ControlWndTest, ControlsShowWhatTheirListsSay)
{
    // Created in tab order: name, geometry, and the text of a label or button.
    const std::tuple<const char*, QRect, const char*> rows[] = {
        {"QCanvas", {397, 278, 29, 43}, nullptr},
        {"Nvariables", {266, 123, 37, 19}, nullptr},
        {"ErrorFld", {266, 147, 37, 19}, nullptr},
        {"InputFld1", {34, 210, 315, 220}, nullptr},
        {"ClearBtn", {368, 400, 80, 30}, "Clear"},
        {"CalculateBtn", {368, 350, 80, 30}, "Calculate"},
        {"StaticText1", {34, 123, 214, 19}, "Number of tests conducted:"},
        {"StaticText3", {35, 192, 133, 19}, "Probability Values"},
        {"TitlePict", {20, -1, 435, 54}, nullptr},
        {"StaticText2", {34, 148, 214, 19}, "Experimentwise error rate:"},
        {"copytext", {136, 48, 200, 22}, "\u00A9 2026 by the Quorvel developers"},
    };
    ASSERT_EQ(window->Controls().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& [name, geometry, text] = rows[i];
        SCOPED_TRACE(name);
        QWidget* widget = window->Controls()[i]->NativeWidget();
        EXPECT_EQ(window->Controls()[i]->Name(), name);
        EXPECT_EQ(widget->parentWidget(), window->ContentWidget());
        EXPECT_EQ(widget->geometry(), geometry);
        EXPECT_TRUE(widget->isVisibleTo(window->NativeWidget()));
        if (text != nullptr) {
            EXPECT_EQ(widget->property("text").toString().toStdString(), text);
        }
    }

    // The small fields centre their numbers; the list field scrolls; all are monospaced, so
    // that the table's columns line up.
    for (auto [area, alignment, vertical] :
         {std::tuple{window->Nvariables(), Qt::AlignHCenter, Qt::ScrollBarAlwaysOff},
          std::tuple{window->ErrorFld(), Qt::AlignHCenter, Qt::ScrollBarAlwaysOff},
          std::tuple{window->InputFld1(), Qt::AlignLeft, Qt::ScrollBarAsNeeded}}) {
        SCOPED_TRACE(area->Name());
        EXPECT_EQ(Edit(area)->document()->defaultTextOption().alignment(), alignment);
        EXPECT_EQ(Edit(area)->verticalScrollBarPolicy(), vertical);
        EXPECT_TRUE(Edit(area)->font().fixedPitch());
    }

    // The credit under the title: a lighter green than the labels', bold and centred.
    auto* credit = static_cast<QLabel*>(window->copytext()->NativeWidget());
    EXPECT_EQ(credit->palette().color(QPalette::WindowText), QColor(0x5D, 0xA3, 0x1E));
    EXPECT_EQ(credit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(credit->font().bold());

    EXPECT_EQ(window->QCanvas()->NativeWidget()->toolTip(), "Description of Quorvel");
    ASSERT_NE(Question48(), nullptr);
    EXPECT_EQ(window->QCanvas()->Backdrop(), Question48());
    EXPECT_EQ(window->TitlePict()->Backdrop(), Vesk());
}

// What a small field holds is what it shows: each value it takes, up to its limit, lies whole on
// one line inside the field's border, centred across it.
TEST_F(ControlWndTest, SmallFieldsShowEveryValueTheyTakeWholeOnOneCentredLine)
{
    Activate(); // laid out at the fields' own size and font
    for (auto [area, text] : {std::pair{window->Nvariables(), "2"}, {window->Nvariables(), "12"},
                              {window->Nvariables(), "999"}, {window->ErrorFld(), ".05"},
                              {window->ErrorFld(), ".005"}, {window->ErrorFld(), ".999"},
                              {window->ErrorFld(), "9999"}}) {
        SCOPED_TRACE(text);
        area->SetText(text);
        QCoreApplication::processEvents();
        QPlainTextEdit* edit = Edit(area);
        const QTextBlock block = edit->document()->firstBlock();
        ASSERT_EQ(block.text().toStdString(), text);
        ASSERT_EQ(block.layout()->lineCount(), 1) << "the value wraps";
        QTextCursor end(block);
        end.movePosition(QTextCursor::EndOfBlock);
        const QRect first = edit->cursorRect(QTextCursor(block));
        const QRect last = edit->cursorRect(end);
        const QRect visible = edit->viewport()->rect();
        EXPECT_TRUE(edit->contentsRect().contains(edit->viewport()->geometry())) << "inside the border";
        EXPECT_GE(first.left(), visible.left());
        EXPECT_LE(last.left(), visible.right() + 1);
        EXPECT_GE(first.top(), visible.top());
        EXPECT_LE(first.top() + block.layout()->lineAt(0).height(), visible.bottom() + 1.0);
        EXPECT_LE(std::abs((first.left() - visible.left()) - (visible.right() + 1 - last.left())), 1);
    }
}

// A Return typed after a number takes the cursor to an empty line; left, the field shows the
// number again.
TEST_F(ControlWndTest, ASmallFieldLeftShowsItsFirstLineThatHoldsText)
{
    Activate();
    for (auto [keys, shown] : {std::pair{"3\r", 0}, {"\r3", 1}, {"\r\r", 0}}) {
        SCOPED_TRACE(testing::PrintToString(std::string(keys)));
        window->Nvariables()->SetText("");
        window->Nvariables()->SetFocus();
        QTest::keyClicks(Edit(window->Nvariables()), keys);
        window->ErrorFld()->SetFocus();
        QPlainTextEdit* edit = Edit(window->Nvariables());
        EXPECT_EQ(edit->cursorForPosition(edit->viewport()->rect().center()).blockNumber(), shown);
    }
    // Its text replaced by the program (Clear), it shows what it holds from the first line on.
    QPlainTextEdit* edit = Edit(window->Nvariables());
    window->ClearBtn()->Push();
    QCoreApplication::processEvents();
    QTest::keyClicks(Edit(window->Nvariables()), "9");
    EXPECT_EQ(edit->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(edit->viewport()->rect().contains(edit->cursorRect()));
}

TEST_F(ControlWndTest, TabVisitsTheFieldsAndButtonsButNeverThePictures)
{
    Activate();
    window->Nvariables()->SetFocus();
    const std::shared_ptr<RectControl> order[] = {window->ErrorFld(), window->InputFld1(), window->ClearBtn(),
                                                  window->CalculateBtn(), window->Nvariables()};
    for (const auto& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(next->HasFocus()) << "expected " << next->Name();
    }
}

TEST_F(ControlWndTest, TypedValuesGiveTheTableInTheListFieldAndClearEmptiesTheFields)
{
    Activate();
    // A Return, or the keypad's Enter, after a number is a blank.
    QTest::keyClicks(Edit(window->Nvariables()), "3");
    QTest::keyClick(Edit(window->Nvariables()), Qt::Key_Return);
    QTest::keyClicks(Edit(window->ErrorFld()), ".05");
    QTest::keyClick(Edit(window->ErrorFld()), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(window->ErrorFld()->Text(), ".05\r");
    QPlainTextEdit* list = Edit(window->InputFld1());
    QTest::keyClicks(list, ".01\r.04\r.03");
    QTest::mouseClick(window->CalculateBtn()->NativeWidget(), Qt::LeftButton);

    // The field holds the calculation's table whole, and shows it once the loop turns.
    EXPECT_TRUE(ui.messages.empty());
    std::string table;
    for (const std::string& line : Calculate("3", ".05", ".01\r.04\r.03").lines)
        table += line;
    EXPECT_EQ(window->InputFld1()->Text(), table);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->toPlainText().toStdString(), ReplaceLineEndings(table, "\n"));

    // Clear empties every field, on screen too, and returns the focus to the number of tests.
    window->InputFld1()->SetFocus();
    QTest::mouseClick(window->ClearBtn()->NativeWidget(), Qt::LeftButton);
    QCoreApplication::processEvents();
    for (const auto& field : {window->Nvariables(), window->ErrorFld(), window->InputFld1()}) {
        EXPECT_EQ(field->Text(), "") << field->Name();
        EXPECT_TRUE(Edit(field)->toPlainText().isEmpty()) << field->Name();
    }
    EXPECT_TRUE(window->Nvariables()->HasFocus());
}

// One message from the small fields and one from the list; which input gives which message is
// the calculation's business.
TEST_F(ControlWndTest, AMessageLeavesEveryFieldAsItWas)
{
    for (auto [tests, alpha, list, message] : {std::tuple{"1", ".05", ".01\r.02", kTestsRangeMessage},
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
    QTest::keyClicks(Edit(window->Nvariables()), "1.2a");
    QTest::keyClicks(Edit(window->ErrorFld()), ".. -");
    EXPECT_EQ(window->Nvariables()->Text(), "12");
    EXPECT_EQ(window->ErrorFld()->Text(), "..");
    EXPECT_EQ(ui.beeps, 4);

    // The digit test compares the key as text, so a key of several characters between "0" and
    // "9" passes; anything else passes only as a control character (or the point, for the rate).
    // Each key, and whether the number of tests and the error rate drop it.
    const std::tuple<const char*, bool, bool> rows[] = {
        {"0", false, false},    {"9", false, false},    {"12", false, false}, {"9a", true, true},
        {"/", true, true},      {":", true, true},      {".", true, false},   {" ", true, true},
        {"\x7f", false, false}, {"\x1f", false, false}, {"", false, false},   {"\u00E9", true, true},
    };
    for (const auto& [key, dropsInTests, dropsInRate] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(key)));
        ui.beeps = 0;
        EXPECT_EQ(window->Nvariables_KeyDown(*window->Nvariables(), key), dropsInTests);
        EXPECT_EQ(window->ErrorFld_KeyDown(*window->ErrorFld(), key), dropsInRate);
        EXPECT_EQ(ui.beeps, int(dropsInTests) + int(dropsInRate)) << "a beep for each dropped key";
    }

    // Editing and moving keys pass through the widget without a beep: Left, then the 1 and the 2
    // deleted on either side of the cursor, and at last a line break.
    ui.beeps = 0;
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_Right, Qt::Key_Up,
                        Qt::Key_Down, Qt::Key_End, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Return})
        QTest::keyClick(Edit(window->Nvariables()), key);
    EXPECT_EQ(window->Nvariables()->Text(), "\r") << "the fields are multi-line: Return is a line break";
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ControlWndTest, LengthLimitsHoldForTypingAndPaste)
{
    QPlainTextEdit* tests = Edit(window->Nvariables());
    QPlainTextEdit* rate = Edit(window->ErrorFld());
    QTest::keyClicks(tests, "12345");
    EXPECT_EQ(window->Nvariables()->Text(), "123");
    QTest::keyClicks(rate, ".012345");
    EXPECT_EQ(window->ErrorFld()->Text(), ".012");
    EXPECT_EQ(ui.beeps, 0) << "a full field refuses quietly";
    // A full field still takes the keys that remove text.
    QTest::keyClick(rate, Qt::Key_Backspace);
    QTest::keyClicks(rate, "5");
    EXPECT_EQ(window->ErrorFld()->Text(), ".015");

    // Pasting over a selection makes room for what replaces it.
    QApplication::clipboard()->setText("98765");
    window->Nvariables()->SetText("123");
    window->Nvariables()->UpdateWidget();
    tests->selectAll();
    tests->paste();
    EXPECT_EQ(window->Nvariables()->Text(), "987");

    const std::string many(5000, '1');
    QApplication::clipboard()->setText(QString::fromStdString(many));
    Edit(window->InputFld1())->paste();
    EXPECT_EQ(window->InputFld1()->Text(), many) << "the p-value field has no limit";
}

// Each way in which text comes in meets the key filter and the length limit as typing does:
// a dropped character beeps, once for the whole text, and what passes is cut to the room left.
TEST_F(ControlWndTest, KeyFilterAndLengthLimitHoldForKeysCommitsAndPastes)
{
    Activate(); // for the drops
    const QString longPaste = QString("a1").repeated(100000);
    enum Field { Tests, Rate, List };
    struct Row {
        Way way;
        Field field;
        const char* before;
        QString text;
        const char* after;
        int beeps;
        int32_t from = -1; // the selection the text takes the place of; -1 is the end
        int32_t length = 0;
        int replaced = 0; // characters after the cursor that a commit replaces
    };
    const Row rows[] = {
        {Way::InputMethod, Tests, "", "12345abc", "123", 1},
        {Way::InputMethod, Tests, "12", QStringLiteral("\u00E9\u00E0\u00FC"), "12", 1}, // dead key and letter
        {Way::InputMethod, Rate, ".05", QStringLiteral("\u00E9\u00E9\u00E9"), ".05", 1},
        {Way::InputMethod, Rate, ".", "05\r\n", ".05\r", 0},
        {Way::InputMethod, Rate, "", "05\r\n", "05\r", 0},
        {Way::InputMethod, Rate, ".05", "12", ".12", 0, 1, 0, 2}, // replaces the "05" after the cursor
        {Way::InputMethod, Rate, ".005", "12", ".125", 0, 1, 0, 2}, // a full field: "00" make the room
        {Way::Key, Tests, "12", "34", "123", 0},
        {Way::Key, Tests, "1", "a2b", "12", 1},
        {Way::Key, Tests, "123", "\r", "123", 0}, // a full field takes no line break
        {Way::Key, Tests, "123", "4", "123", 0, 0},
        {Way::Key, Tests, "1", QStringLiteral("\U0001F600"), "1", 1}, // one character of two units
        // Ctrl and Shift type formatting characters on some layouts: a zero-width non-joiner, a
        // left-to-right mark, a soft hyphen are no digits. Other text with them is a shortcut.
        {Way::CtrlShiftKey, Tests, "3", QStringLiteral("\u200C"), "3", 1},
        {Way::CtrlShiftKey, Rate, ".05", QStringLiteral("\u200E"), ".05", 1},
        {Way::CtrlShiftKey, Tests, "1", QStringLiteral("\u00AD"), "1", 1},
        {Way::CtrlShiftKey, Tests, "1", "!", "1", 0},
        // A field that takes no tabs gets none from a key, where no window manager takes Alt+Tab
        // for itself, nor a character past its limit.
        {Way::AltKey, Tests, "999", "\t", "999", 0},
        {Way::AltKey, Rate, ".05", "\t", ".05", 0},
        {Way::AltKey, List, ".05", "\t", ".05", 0},
        {Way::CtrlAltKey, Tests, "99", "\t", "99", 0},
        {Way::CtrlAltKey, Rate, ".05", "\t", ".05", 0},
        {Way::CtrlAltKey, List, ".05", "\t", ".05", 0},
        {Way::CtrlKey, Tests, "9", "\t", "9", 0},
        {Way::CtrlKey, Rate, ".05", "\t", ".05", 0},
        {Way::CtrlKey, List, ".05", "\t", ".05", 0},
        {Way::Paste, Tests, "", "3ab", "3", 1},
        {Way::Paste, Rate, "", "x.0y5z", ".05", 1},
        {Way::Paste, Tests, "", longPaste, "111", 1},
        {Way::Paste, Tests, "12", "ab", "", 1, 0, 2}, // over the whole text
        // The small fields show no tab or other control character, so they take none from a paste,
        // a drop or a commit, silently (the key filter lets their codes pass); a line break still
        // goes in. The list shows a pasted tab as a gap, and reads it as a separator.
        {Way::Paste, Tests, "", "\t5", "5", 0},
        {Way::Paste, Tests, "", "label\t12", "12", 1},
        {Way::Paste, Tests, "", "5\t\t", "5", 0},
        {Way::Paste, Tests, "", "5\x01", "5", 0},
        {Way::Paste, Rate, "", "\t.05", ".05", 0},
        {Way::Paste, Rate, "", ".0\x1b" "5", ".05", 0},
        {Way::Paste, Rate, "", ".\x7f" "05\n", ".05\r", 0},
        {Way::Drop, Rate, "", "\t.05", ".05", 0},
        {Way::Drop, Tests, "", "1\t\r\n2", "1\r2", 0},
        {Way::InputMethod, Tests, "", "\t5", "5", 0},
        {Way::InputMethod, Rate, "", QString(QChar(0)) + ".1", ".1", 0},
        {Way::Paste, List, ".01", "\t.02\t.03", ".01\t.02\t.03", 0},
    };
    for (const Row& row : rows) {
        TextArea& area = row.field == Rate    ? *window->ErrorFld()
                         : row.field == Tests ? *window->Nvariables()
                                              : *window->InputFld1();
        SCOPED_TRACE(area.Name() + " <- " + testing::PrintToString(row.text.left(20).toStdString()) + " by way " +
                     std::to_string(static_cast<int>(row.way)));
        area.SetText(row.before);
        ui.beeps = 0;
        Insert(area, row.way, row.text, row.from, row.length, row.replaced);
        EXPECT_EQ(area.Text(), row.after);
        EXPECT_EQ(ui.beeps, row.beeps);
    }

    // A composition in progress is not the field's text yet; only its commit meets the filter.
    TextArea& tests = *window->Nvariables();
    tests.SetText("12");
    ui.beeps = 0;
    QInputMethodEvent preedit(QStringLiteral("\u00B4"), {});
    QApplication::sendEvent(tests.NativeWidget(), &preedit);
    EXPECT_EQ(tests.Text(), "12");
    EXPECT_EQ(ui.beeps, 0);
    Insert(tests, Way::InputMethod, "4");
    EXPECT_EQ(tests.Text(), "124");
}

// A key that is an editing command stays one, whatever text it carries: it does what it does
// without the text, silently. (The window is not active: no menu shortcut takes the keys first.)
TEST_F(ControlWndTest, EditingKeysStayCommandsWhateverTextTheyCarry)
{
    TextArea& rate = *window->ErrorFld();
    // In the full field ".051", with its "0" selected or the cursor after it.
    const auto press = [&](QKeyCombination keys, const QString& text, int32_t selected) {
        rate.SetText(".05");
        rate.UpdateWidget();
        Insert(rate, Way::Key, "1"); // something to undo
        rate.SetSelStart(2 - selected);
        rate.SetSelLength(selected);
        QApplication::clipboard()->setText("7");
        QKeyEvent event(QEvent::KeyPress, keys.key(), keys.keyboardModifiers(), text);
        QApplication::sendEvent(rate.NativeWidget(), &event);
        return std::tuple{rate.Text(), rate.SelStart(), rate.SelLength(), QApplication::clipboard()->text()};
    };
    std::vector<QKeyCombination> commands = {Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Home};
    for (QKeySequence::StandardKey standard :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
          QKeySequence::Redo, QKeySequence::Delete, QKeySequence::Backspace, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine,
          QKeySequence::SelectNextChar, QKeySequence::MoveToEndOfDocument})
        for (const QKeySequence& binding : QKeySequence::keyBindings(standard))
            commands.push_back(binding[0]);
    for (const QKeyCombination keys : commands) {
        for (int32_t selected : {0, 1}) {
            SCOPED_TRACE(QKeySequence(keys).toString().toStdString() + (selected ? " on a selection" : ""));
            const auto plain = press(keys, {}, selected);
            ui.beeps = 0;
            EXPECT_EQ(press(keys, QStringLiteral("\u200E"), selected), plain);
            EXPECT_EQ(ui.beeps, 0);
        }
    }
}

// Undo after a paste takes back the paste alone, and a key typed after it is a step of its own.
TEST_F(ControlWndTest, APasteIsAnUndoStepOfItsOwn)
{
    for (auto [area, typed, pasted, after] : {std::tuple{window->Nvariables(), "1", "2", "3"},
                                             {window->InputFld1(), ".0", "12", "5"}}) {
        SCOPED_TRACE(area->Name());
        QPlainTextEdit* edit = Edit(area);
        QTest::keyClicks(edit, typed);
        QApplication::clipboard()->setText(pasted);
        edit->paste();
        QTest::keyClicks(edit, after);
        const std::string all = std::string(typed) + pasted + after;
        ASSERT_EQ(area->Text(), all);
        edit->undo();
        EXPECT_EQ(area->Text(), all.substr(0, all.size() - 1));
        edit->undo();
        EXPECT_EQ(area->Text(), typed);
    }
}

// A field's Undo history holds the person's edits only: where nothing was done, after start-up
// and after Clear alike, there is nothing to undo, and the first Undo takes back the first edit.
TEST_F(ControlWndTest, AFieldHasNothingToUndoButThePersonsEdits)
{
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            window->ClearBtn()->Push();
        for (const auto& area : {window->Nvariables(), window->ErrorFld(), window->InputFld1()}) {
            SCOPED_TRACE(area->Name() + (round == 0 ? " after start-up" : " after Clear"));
            area->UpdateWidget();
            QTextDocument* document = Edit(area)->document();
            EXPECT_FALSE(document->isUndoAvailable());
            Insert(*area, Way::Key, "1");
            Edit(area)->undo();
            EXPECT_EQ(area->Text(), "");
            EXPECT_FALSE(document->isUndoAvailable());
            Edit(area)->redo();
            EXPECT_EQ(area->Text(), "1");
        }
    }
}

// A drop that the key filter or the length limit cut is a copy, and one that puts nothing in is
// refused, so that its source keeps what it carried; a drop that goes in whole may move it.
TEST_F(ControlWndTest, ADropThatTheRulesCutLeavesItsSourceWhole)
{
    Activate();
    const std::tuple<bool, const char*, const char*, const char*, std::optional<Qt::DropAction>> rows[] = {
        // into the error rate (else the number of tests), before, carried, after, the drop's end
        {true, "", "abc\n.05\nxyz", "\r.05", Qt::CopyAction},
        {false, "123", ".01\n.02\n.03", "123", std::nullopt}, // refused
        {true, "", ".05", ".05", Qt::MoveAction},
        {false, "1", "23", "123", Qt::MoveAction},
    };
    for (const auto& [rate, before, carried, after, action] : rows) {
        TextArea& area = rate ? *window->ErrorFld() : *window->Nvariables();
        SCOPED_TRACE(area.Name() + " <- " + carried);
        area.SetText(before);
        area.UpdateWidget();
        QPlainTextEdit* edit = Edit(rate ? window->ErrorFld() : window->Nvariables());
        const std::optional<Qt::DropAction> ended = Drop(*edit, carried);
        EXPECT_EQ(area.Text(), after);
        EXPECT_EQ(ended, action);
    }
}

// A drag starts once from any field, even when the field makes up moves while it runs (as it
// scrolls toward a pointer outside it), and its press ends with it: the field makes up no move
// after it to start a second drag that the next click would drop. The selection stays as it was.
TEST_F(ControlWndTest, ADragStartsOnceAndItsPressEndsWithIt)
{
    Activate(); // laid out, so that the press finds the selected text
    // A move sent to the field as its scrolling makes them, with the button held.
    const auto madeUpMove = [](QWidget* viewport, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
    };
    // Counts the drags that start from the field: each is an object that joins it. While the
    // first is being made, acts as the field's scrolling does.
    struct Drags : QObject {
        int started = 0;
        std::function<void()> duringTheFirst;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::ChildAdded && !static_cast<QChildEvent*>(event)->child()->isWidgetType()) {
                ++started;
                if (duringTheFirst)
                    std::exchange(duringTheFirst, {})();
            }
            return false;
        }
    };
    for (auto [area, text, from, length] : {std::tuple{window->ErrorFld(), ".05", 0, 3},
                                            std::tuple{window->InputFld1(), ".01\r.02\r.03", 4, 3}}) {
        SCOPED_TRACE(area->Name());
        area->SetText(text);
        area->SetSelStart(from);
        area->SetSelLength(length);
        QPlainTextEdit* edit = Edit(area);
        QWidget* viewport = edit->viewport();
        QTextCursor inside = edit->textCursor();
        inside.setPosition(inside.selectionStart() + 1);
        const QPoint pressed = edit->cursorRect(inside).center() + QPoint(2, 0);
        const QPoint outside(pressed.x(), -40);
        Drags drags;
        drags.duringTheFirst = [&] { madeUpMove(viewport, outside); };
        viewport->installEventFilter(&drags);
        QMouseEvent press(QEvent::MouseButtonPress, pressed, viewport->mapToGlobal(pressed), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &press);
        madeUpMove(viewport, outside); // the drag starts, and ends at once here
        EXPECT_EQ(drags.started, 1);
        // Had the press not ended, the field would go on scrolling toward the pointer, and its
        // next made-up move would start a drag.
        QCursor::setPos(viewport->mapToGlobal(outside));
        QTest::qWait(250);
        viewport->removeEventFilter(&drags);
        EXPECT_EQ(drags.started, 1) << "a second drag after the first";
        EXPECT_EQ(area->SelStart(), from);
        EXPECT_EQ(area->SelLength(), length);
        EXPECT_EQ(area->Text(), text);
    }
}

// A line with no blank in hundreds of characters (a comma-separated row) costs the word wrap the
// square of its length: the field wraps it anywhere instead, and wraps at words again once its
// whole text is replaced by lines without such a run.
TEST_F(ControlWndTest, AListHoldingALongRowWithNoBlankWrapsAnywhere)
{
    QPlainTextEdit* list = Edit(window->InputFld1());
    const auto wraps = [&] { return list->wordWrapMode(); };
    ASSERT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QApplication::clipboard()->setText(QString(".01 ").repeated(500)); // blanks: words as ever
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);

    const QString row = QString(".01234,").repeated(40);
    QApplication::clipboard()->setText(row);
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);
    EXPECT_EQ(window->InputFld1()->Text(), QString(".01 ").repeated(500).append(row).toStdString());

    // Replaced whole by the program, and by a person who pastes over all of it; Undo brings
    // the row back and the wrapping with it.
    window->InputFld1()->SetText(".01\r.02");
    window->InputFld1()->UpdateWidget();
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QApplication::clipboard()->setText(row);
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);
    list->selectAll();
    QApplication::clipboard()->setText(".05");
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    list->undo();
    EXPECT_EQ(window->InputFld1()->Text(), row.toStdString() + ".01\r.02"); // pasted at the start
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);

    // A run that grows past the bound as it is typed.
    window->InputFld1()->SetText(std::string(256, '1'));
    window->InputFld1()->UpdateWidget();
    list->moveCursor(QTextCursor::End);
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTest::keyClicks(list, "1");
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);

    // The row on a later line of a paste; a key typed on another line leaves the row as it was.
    window->InputFld1()->SetText("");
    window->InputFld1()->UpdateWidget();
    QApplication::clipboard()->setText(QString(".01\n") + row);
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);
    list->moveCursor(QTextCursor::Start);
    QTest::keyClicks(list, "2");
    EXPECT_EQ(window->InputFld1()->Text(), "2.01\r" + row.toStdString());
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);
}

// Once the field holds no such row, however it went, it wraps at words again, and looks as the
// same text typed afresh. A spreadsheet row, whose values a tab separates, never needed more.
TEST_F(ControlWndTest, TheListWrapsAtWordsOnceNoLongRowIsLeft)
{
    Activate(); // laid out at its own width
    QPlainTextEdit* list = Edit(window->InputFld1());
    const auto wraps = [&] { return list->wordWrapMode(); };
    // Where each line of the first paragraph starts, as laid out.
    const auto lineStarts = [&] {
        const QTextBlock block = list->document()->firstBlock();
        list->document()->documentLayout()->blockBoundingRect(block);
        std::vector<int> starts;
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            starts.push_back(block.layout()->lineAt(i).textStart());
        return starts;
    };
    const std::string sentence =
        "Holm's procedure is more powerful than the simple Bonferroni correction, and it keeps the "
        "experimentwise error rate of the family of tests";
    window->InputFld1()->SetText(sentence);
    window->InputFld1()->UpdateWidget();
    const std::vector<int> typedAfresh = lineStarts();
    ASSERT_GT(typedAfresh.size(), 2u);

    const QString row = QString(".01234,").repeated(43).left(300);
    QApplication::clipboard()->setText(row);
    list->moveCursor(QTextCursor::Start);
    list->paste();
    ASSERT_EQ(wraps(), QTextOption::WrapAnywhere);
    // Deleted by hand, from the start of the sentence back to the start of the list.
    QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(window->InputFld1()->Text(), sentence);
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(lineStarts(), typedAfresh);
    list->undo();
    EXPECT_EQ(wraps(), QTextOption::WrapAnywhere);
    list->redo();
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    EXPECT_EQ(lineStarts(), typedAfresh);

    // Cut, on a line of its own among others.
    window->InputFld1()->SetText(sentence + "\r" + row.toStdString() + "\r.05");
    window->InputFld1()->UpdateWidget();
    ASSERT_EQ(wraps(), QTextOption::WrapAnywhere);
    window->InputFld1()->SetSelStart(Len(sentence) + 1);
    window->InputFld1()->SetSelLength(300);
    list->cut();
    EXPECT_EQ(window->InputFld1()->Text(), sentence + "\r\r.05");
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);

    // A spreadsheet row of 300 characters breaks between its values.
    window->InputFld1()->SetText("");
    window->InputFld1()->UpdateWidget();
    const QString values = QString(".0123\t").repeated(50);
    QApplication::clipboard()->setText(values);
    list->paste();
    EXPECT_EQ(wraps(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    const std::vector<int> starts = lineStarts();
    ASSERT_GT(starts.size(), 1u);
    for (size_t i = 1; i < starts.size(); ++i)
        EXPECT_EQ(values[starts[i] - 1], QChar('\t')) << "line " << i << " starts inside a value";
}

// A large text that the program replaces takes its document with it (the memory its edits took
// goes back): the field's new document looks as the old one did, has nothing to undo, and keeps
// every rule of the field's.
TEST_F(ControlWndTest, AListThatGaveUpALargeTextLooksAndBehavesAsBefore)
{
    QPlainTextEdit* list = Edit(window->InputFld1());
    window->InputFld1()->UpdateWidget();
    const QPointer<QTextDocument> before = list->document();
    const QFont font = before->defaultFont();
    const qreal margin = before->documentMargin();
    QApplication::clipboard()->setText(QString(".0123\n").repeated(20000));
    list->paste();
    window->InputFld1()->SetText(".01");
    window->InputFld1()->UpdateWidget();
    EXPECT_TRUE(before.isNull()) << "the large text's document stayed";
    EXPECT_EQ(list->document()->defaultFont(), font);
    EXPECT_EQ(list->document()->documentMargin(), margin);
    EXPECT_EQ(list->document()->defaultTextOption().alignment(), Qt::AlignLeft);
    EXPECT_FALSE(list->document()->isUndoAvailable());
    EXPECT_EQ(list->toPlainText(), ".01");

    QApplication::clipboard()->setText(QString(".01234,").repeated(40));
    list->paste();
    EXPECT_EQ(list->wordWrapMode(), QTextOption::WrapAnywhere);
    list->undo();
    EXPECT_EQ(list->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    list->moveCursor(QTextCursor::End);
    QTest::keyClicks(list, "5");
    EXPECT_EQ(window->InputFld1()->Text(), ".015");
}

// A byte of no valid UTF-8 is one character, as Len counts it, and the widget shows it as one.
TEST_F(ControlWndTest, SelectionPositionsCountAnInvalidByteAsOneCharacter)
{
    TextArea& list = *window->InputFld1();
    const std::string text = "a\xFF" "b\xE2\x82" "c\xF0\x9F\x98\x80" "d";
    list.SetText(text);
    const int32_t length = Len(text);
    for (int32_t at = 0; at <= length; ++at) {
        list.SetSelStart(at);
        EXPECT_EQ(list.SelStart(), at);
    }
    list.SetSelStart(2);
    list.SetSelLength(1);
    EXPECT_EQ(Edit(window->InputFld1())->textCursor().selectedText(), "b");
    list.SetSelStart(7); // after the character beyond U+FFFF, which the widget keeps as two units
    list.SetSelLength(1);
    EXPECT_EQ(Edit(window->InputFld1())->textCursor().selectedText(), "d");
    list.SetSelStart(5);
    list.SetSelLength(length);
    EXPECT_EQ(Edit(window->InputFld1())->textCursor().selectedText(), QStringLiteral("c\U0001F600d"));
    EXPECT_EQ(list.SelLength(), 3);
}

TEST_F(ControlWndTest, TheQuestionMarkShowsOneDescriptionWindow)
{
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(window->QCanvas()->NativeWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    std::shared_ptr<Window> description = GetImplicitWindow(DescriptionWnd::kQualifiedName);
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());
    EXPECT_EQ(OpenCount(DescriptionWnd::kQualifiedName), 1u);
}

TEST_F(ControlWndTest, ActivationHidesTheAboutWindowBuildingItFirst)
{
    window->DeliverActivate();
    std::shared_ptr<Window> about = GetImplicitWindow(AboutWnd::kQualifiedName);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsVisible());

    about->Show();
    window->DeliverActivate();
    EXPECT_FALSE(about->IsVisible());
    EXPECT_EQ(OpenCount(AboutWnd::kQualifiedName), 1u);
}
