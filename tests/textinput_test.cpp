#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <string>

#include "app/windowaccessor.h"
#include "framework/controls/textarea.h"
#include "framework/core/text.h"
#include "tests/testsupport.h"
#include "windows/controlwnd.h"

namespace {

class TextInputTest : public ProgramTest {
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

    std::shared_ptr<ControlWnd> window;
    UiRecorder ui;
};

QPlainTextEdit* Edit(TextArea& area) { return static_cast<QPlainTextEdit*>(area.NativeWidget()); }

enum class Way { Key, InputMethod, Paste };

// Puts the text in at the end of the field's text, as one key, one commit or one paste.
void Insert(TextArea& area, Way way, const QString& text)
{
    area.SetSelStart(Len(area.Text()));
    QPlainTextEdit* edit = Edit(area);
    if (way == Way::Key) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    } else if (way == Way::InputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
    } else {
        QApplication::clipboard()->setText(text);
        edit->paste();
    }
}

// Each way in which text comes in meets the key filter and the length limit as typing does:
// a dropped character beeps, once for the whole text, and what passes is cut to the room left.
TEST_F(TextInputTest, KeyFilterAndLengthLimitHoldForKeysCommitsAndPastes)
{
    const QString longPaste = QString("a1").repeated(100000);
    const std::tuple<Way, bool, const char*, QString, const char*, int> rows[] = {
        // way, into the error rate (else the number of tests), before, put in, after, beeps
        {Way::InputMethod, false, "", "12345abc", "123", 1},
        {Way::InputMethod, false, "12", QStringLiteral("\u00E9\u00E0\u00FC"), "12", 1}, // dead key and letter
        {Way::InputMethod, true, ".05", QStringLiteral("\u00E9\u00E9\u00E9"), ".05", 1},
        {Way::InputMethod, true, ".", "05\r\n", ".05\r", 0},
        {Way::Key, false, "12", "34", "123", 0},
        {Way::Key, false, "1", "a2b", "12", 1},
        {Way::Paste, false, "", "3ab", "3", 1},
        {Way::Paste, true, "", "x.0y5z", ".05", 1},
        {Way::Paste, false, "", longPaste, "111", 1},
    };
    for (const auto& [way, rate, before, text, after, beeps] : rows) {
        TextArea& area = rate ? *window->ErrorFld() : *window->Nvariables();
        SCOPED_TRACE(area.Name() + " <- " + text.left(20).toStdString());
        area.SetText(before);
        ui.beeps = 0;
        Insert(area, way, text);
        EXPECT_EQ(area.Text(), after);
        EXPECT_EQ(ui.beeps, beeps);
    }

    // A composition in progress is not the field's text yet; only its commit meets the filter.
    TextArea& tests = *window->Nvariables();
    tests.SetText("12");
    ui.beeps = 0;
    QInputMethodEvent preedit(QStringLiteral("\u00B4"), {});
    QApplication::sendEvent(Edit(tests), &preedit);
    EXPECT_EQ(tests.Text(), "12");
    EXPECT_EQ(ui.beeps, 0);
    Insert(tests, Way::InputMethod, "4");
    EXPECT_EQ(tests.Text(), "124");
}

// A byte of no valid UTF-8 is one character, as Len counts it, and the widget shows it as one.
TEST_F(TextInputTest, SelectionPositionsCountAnInvalidByteAsOneCharacter)
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
    EXPECT_EQ(Edit(list)->textCursor().selectedText(), "b");
    list.SetSelStart(5);
    list.SetSelLength(length);
    EXPECT_EQ(Edit(list)->textCursor().selectedText(), QStringLiteral("c\U0001F600d"));
    EXPECT_EQ(list.SelLength(), 3);
}

} // namespace
