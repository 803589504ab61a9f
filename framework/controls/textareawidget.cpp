#include "framework/controls/textareawidget.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

#include "framework/controls/textinput.h"
#include "framework/core/keytext.h"
#include "framework/core/system.h"

namespace {

// UTF-16 units of the character at i: a surrogate pair is one character, as its code point is.
qsizetype CharacterUnits(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

int CharacterCount(QStringView text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); i += CharacterUnits(text, i))
        ++count;
    return count;
}

// Whether the widget puts the key's text in, as the toolkit's text editing decides: a formatting
// character (a zero-width non-joiner, a direction mark, a soft hyphen) whatever the modifiers,
// since keyboard layouts type some of them with Ctrl and Shift; other printable text unless Ctrl,
// or Ctrl and Shift, make the key a command.
bool InsertsText(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

// The editing commands that the widget carries out before it looks at a key's text: such a key
// stays a command whatever text it carries.
bool IsEditCommand(const QKeyEvent& event)
{
    static constexpr QKeySequence::StandardKey kCommands[] = {
        QKeySequence::SelectAll,          QKeySequence::Copy,
        QKeySequence::Cut,                QKeySequence::Paste,
        QKeySequence::Undo,               QKeySequence::Redo,
        QKeySequence::Delete,             QKeySequence::Backspace,
        QKeySequence::DeleteStartOfWord,  QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,    QKeySequence::DeleteCompleteLine,
        QKeySequence::InsertParagraphSeparator,
        QKeySequence::InsertLineSeparator,
    };
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](QKeySequence::StandardKey command) { return event.matches(command); });
}

// Far wider than any field, and short enough that looking ahead over such runs stays cheap.
constexpr int kLongestWrappedRun = 256;

bool HasLongRun(const QString& line)
{
    int run = 0;
    for (const QChar character : line) {
        // Only a space or a tab is sure to let a line break: anything else may join a run.
        run = character == QChar(' ') || character == QChar('\t') ? 0 : run + 1;
        if (run > kLongestWrappedRun)
            return true;
    }
    return false;
}

bool IsControlKey(const std::string& key)
{
    const auto code = static_cast<unsigned char>(key[0]);
    return code < 32 || code == 127;
}

} // namespace

TextAreaWidget::TextAreaWidget(TextInput& field, QWidget* parent) : QPlainTextEdit(parent), field_(field)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!updating_)
            field_.WidgetEdited();
    });
    // Told before the changed lines are laid out, so that the wrapping fits them first.
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { FitWrapping(position, added); });
}

void TextAreaWidget::ShowText(const QString& text)
{
    updating_ = true;
    setPlainText(text);
    updating_ = false;
}

bool TextAreaWidget::event(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        field_.UpdateWidget();
    // Ctrl combinations belong to the menu when it has them; if it has not, they come back
    // as a key press and the field handles them itself.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
    }
    return QPlainTextEdit::event(event);
}

// Every way in which text comes in (a typed key, a key that makes several characters, an
// input method's commit, a paste or a drop) goes through Admit: the key filter and the length
// limit hold for each alike.
void TextAreaWidget::keyPressEvent(QKeyEvent* event)
{
    const std::optional<std::string> key = KeyText(*event);
    if (key && IsControlKey(*key)) {
        if (field_.FiltersKeys() && field_.DropsKey(*key)) {
            event->accept(); // the handler dropped the key
            return;
        }
        const bool lineBreak = *key == "\r" || *key == "\x03";
        if (lineBreak && !isReadOnly()) {
            if (!field_.Multiline()) {
                event->ignore();
                return;
            }
            const QTextCursor cursor = textCursor();
            if (RoomLeft(cursor.selectionStart(), cursor.selectionEnd()) < 1) {
                event->accept();
                return;
            }
        }
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (isReadOnly() || !InsertsText(*event) || IsEditCommand(*event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    const Admission admitted = Admit(event->text(), cursor.selectionStart(), cursor.selectionEnd());
    if (admitted.whole) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Dropped by the handler or cut to the room left: what remains goes in as typed text.
    if (!admitted.text.isEmpty()) {
        cursor.insertText(admitted.text);
        setTextCursor(cursor);
    }
    event->accept();
}

// A composition in progress (the preedit) is no text of the field's yet: only what the input
// method commits is.
void TextAreaWidget::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // The commit takes the place of the selection and of the range the event replaces.
    const QTextCursor cursor = textCursor();
    const int replaced = cursor.selectionStart() + event->replacementStart();
    const int from = std::max(0, std::min(cursor.selectionStart(), replaced));
    const int to = std::max(cursor.selectionEnd(), replaced + event->replacementLength());
    const Admission admitted = Admit(commit, from, to);
    if (admitted.text == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(admitted.text, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    event->setAccepted(cut.isAccepted());
}

// A paste can come straight from a command, with no event to bring the widget up to date:
// the widget is brought up to date first, so the room is measured on the field's text.
void TextAreaWidget::insertFromMimeData(const QMimeData* source)
{
    field_.UpdateWidget();
    inserted_ = Inserted::Nothing;
    if (isReadOnly() || source == nullptr || !source->hasText())
        return;
    QString text = source->text();
    if (!field_.Multiline())
        text.replace(QChar('\n'), QChar(' ')).replace(QChar('\r'), QChar(' '));
    QTextCursor cursor = textCursor();
    const Admission admitted = Admit(text, cursor.selectionStart(), cursor.selectionEnd());
    inserted_ = admitted.whole ? Inserted::All : admitted.text.isEmpty() ? Inserted::Nothing : Inserted::Part;
    if (admitted.text.isEmpty() && !cursor.hasSelection())
        return;
    // The document joins an insertion to the one before it, typed or pasted, into one undo
    // step while it counts as modified: marked unmodified on either side, a paste (or a drop)
    // is an undo step of its own.
    document()->setModified(false);
    cursor.insertText(admitted.text);
    document()->setModified(false);
}

// A drop that the key filter or the length limit cut is a copy, and one that put nothing in
// is refused: either way its source keeps what it carried. A drop that went in whole may
// move it. (A move within one field always goes in whole: it frees the room it takes, and
// its text is the field's own.)
void TextAreaWidget::dropEvent(QDropEvent* event)
{
    inserted_ = Inserted::Nothing;
    QPlainTextEdit::dropEvent(event);
    if (!event->isAccepted() || inserted_ == Inserted::All)
        return;
    if (inserted_ == Inserted::Nothing)
        event->ignore();
    else
        event->setDropAction(Qt::CopyAction);
}

// A drag of the selection, started by a move, takes the button's release for itself, so the
// press it began with never ends here: the widget would go on scrolling as if the button
// were held and, at the next move it makes up, start a second drag that nobody holds, whose
// text the next click drops. The press ends with the drag; the selection stays as it left it.
void TextAreaWidget::mouseMoveEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    if (!(event->buttons() & Qt::LeftButton) || (QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    const QTextCursor selection = textCursor();
    QMouseEvent release(QEvent::MouseButtonRelease, event->position(), event->scenePosition(),
                        event->globalPosition(), Qt::LeftButton, Qt::NoButton, event->modifiers());
    QPlainTextEdit::mouseReleaseEvent(&release);
    setTextCursor(selection);
}

// A field without a scroll bar shows the line the cursor is on. Left, it shows its first line
// that holds text: a Return typed after a number must not leave the number out of sight.
void TextAreaWidget::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        return;
    int line = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (!block.text().trimmed().isEmpty()) {
            verticalScrollBar()->setValue(line);
            return;
        }
        line += std::max(1, block.lineCount());
    }
}

// Wrapping at words costs the toolkit a look ahead to the next blank for every wrapped line,
// which grows with the square of a line that has no blank (a comma-separated row of numbers):
// two million characters take minutes. A field that holds such a run wraps anywhere, a cost
// that grows with the length; lines that fit the width look the same either way. It goes back
// to wrapping at words when its whole text is replaced by one without such a run.
void TextAreaWidget::FitWrapping(int position, int added)
{
    QTextDocument* document = this->document();
    bool longRun = false;
    const QTextBlock last = document->findBlock(position + added);
    for (QTextBlock block = document->findBlock(position); block.isValid() && !longRun; block = block.next()) {
        longRun = block.length() > kLongestWrappedRun && HasLongRun(block.text());
        if (block == last)
            break;
    }
    const bool wholeText = position == 0 && added >= document->characterCount() - 1;
    if (longRun && wordWrapMode() != QTextOption::WrapAnywhere)
        setWordWrapMode(QTextOption::WrapAnywhere);
    else if (!longRun && wholeText && wordWrapMode() != QTextOption::WrapAtWordBoundaryOrAnywhere)
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

// What of the text goes in place of the widget's text between from and to: each character
// passes the KeyDown handler as a key of its own, as if typed (a line break as Return), and
// what the handler keeps is cut to the room that the length limit leaves. However many
// characters the handler drops, the text beeps once.
TextAreaWidget::Admission TextAreaWidget::Admit(const QString& text, int from, int to)
{
    const bool filtered = field_.FiltersKeys();
    if (!filtered && field_.LimitText() <= 0)
        return {text, true};
    SingleBeep oneBeep;
    Admission admitted;
    int room = RoomLeft(from, to);
    for (qsizetype i = 0; i < text.size();) {
        const bool lineBreak = text[i] == QChar('\r') || text[i] == QChar('\n');
        const bool crLf = text[i] == QChar('\r') && i + 1 < text.size() && text[i + 1] == QChar('\n');
        const qsizetype length = crLf ? 2 : CharacterUnits(text, i); // CR LF is one line break
        const QStringView character = QStringView(text).mid(i, length);
        i += length;
        const std::string key = lineBreak ? std::string("\r") : character.toString().toStdString();
        if ((filtered && field_.DropsKey(key)) || room <= 0) {
            admitted.whole = false;
            continue;
        }
        admitted.text += lineBreak ? QStringView(u"\n") : character;
        --room;
    }
    return admitted;
}

// Characters that the length limit leaves for text put in place of the widget's text between
// from and to; the largest int when the field has no limit.
int TextAreaWidget::RoomLeft(int from, int to) const
{
    const int32_t limit = field_.LimitText();
    if (limit <= 0)
        return std::numeric_limits<int>::max();
    const QString text = toPlainText();
    const QStringView view(text);
    from = std::clamp<int>(from, 0, text.size());
    to = std::clamp<int>(to, from, text.size());
    return limit - CharacterCount(view.first(from)) - CharacterCount(view.sliced(to));
}
