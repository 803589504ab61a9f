#include "framework/controls/textareawidget.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/controls/textinput.h"
#include "framework/core/heap.h"
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

// The keys that the widget acts on before it looks at their text (editing commands, the keys
// that move the cursor or the selection, Backspace): such a key stays a command whatever text it
// carries.
bool IsEditCommand(const QKeyEvent& event)
{
    static constexpr QKeySequence::StandardKey kCommands[] = {
        QKeySequence::SelectAll,           QKeySequence::Copy,
        QKeySequence::Cut,                 QKeySequence::Paste,
        QKeySequence::Undo,                QKeySequence::Redo,
        QKeySequence::Delete,              QKeySequence::Backspace,
        QKeySequence::DeleteStartOfWord,   QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,     QKeySequence::DeleteCompleteLine,
        QKeySequence::MoveToNextChar,      QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,      QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToNextLine,      QKeySequence::MoveToPreviousLine,
        QKeySequence::MoveToNextPage,      QKeySequence::MoveToPreviousPage,
        QKeySequence::MoveToStartOfLine,   QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,  QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar,      QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,      QKeySequence::SelectPreviousWord,
        QKeySequence::SelectNextLine,      QKeySequence::SelectPreviousLine,
        QKeySequence::SelectNextPage,      QKeySequence::SelectPreviousPage,
        QKeySequence::SelectStartOfLine,   QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,  QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
    };
    const int key = event.key();
    if (key == Qt::Key_Direction_L || key == Qt::Key_Direction_R ||
        (key == Qt::Key_Backspace && !(event.modifiers() & ~Qt::ShiftModifier)))
        return true;
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](QKeySequence::StandardKey command) { return event.matches(command); });
}

// What the widget puts in for a key, as the toolkit's text editing decides: a line break for the
// keys that start a new line; the key's text for a formatting character (a zero-width
// non-joiner, a direction mark, a soft hyphen) whatever the modifiers, since keyboard layouts
// type some of them with Ctrl and Shift; other printable text, or a tab, unless Ctrl, or Ctrl and
// Shift, make the key a command. Empty for a key that edits, moves or does nothing.
QString InsertedText(const QKeyEvent& event)
{
    if (event.matches(QKeySequence::InsertParagraphSeparator) || event.matches(QKeySequence::InsertLineSeparator))
        return QStringLiteral("\n");
    const QString text = event.text();
    if (text.isEmpty() || IsEditCommand(event))
        return {};
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return text;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    const bool input = first.isPrint() || first == QChar('\t') || first.category() == QChar::Other_PrivateUse ||
                       (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
    return input ? text : QString();
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

// Marks a line that holds a run too long to wrap at words. The document deletes the mark with
// its line, however the line goes, so the count of marks is always the count of such lines.
class LongRunMark : public QTextBlockUserData {
public:
    explicit LongRunMark(std::shared_ptr<int> count) : count_(std::move(count)) { ++*count_; }
    ~LongRunMark() override { --*count_; }

private:
    std::shared_ptr<int> count_;
};

bool IsControlCode(char32_t code) { return code < 32 || code == 127; }

bool IsControlKey(const std::string& key) { return IsControlCode(static_cast<unsigned char>(key[0])); }

} // namespace

TextAreaWidget::TextAreaWidget(TextInput& field, QWidget* parent) : QPlainTextEdit(parent), field_(field)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!updating_)
            field_.WidgetEdited();
    });
    WatchDocument();
}

void TextAreaWidget::ShowText(const QString& text)
{
    // A line costs the document half a kilobyte, so only a text of over 100,000 characters can
    // leave more freed memory than the heap keeps. Such a document goes whole, with the space its
    // undo history took, which it would keep however it is emptied; then the heap hands back
    // what it no longer needs.
    const bool large = document()->characterCount() > 100000;
    updating_ = true;
    if (large)
        RenewDocument();
    setPlainText(text);
    updating_ = false;
    // The text it replaces may have left a later line in view, past the lines this one has.
    if (!CanScroll())
        ShowFirstLineWithText();
    if (large)
        ReleaseFreeMemory();
}

// A new, empty document in place of the present one, with its font, alignment and margin.
void TextAreaWidget::RenewDocument()
{
    const QFont font = document()->defaultFont();
    const QTextOption option = document()->defaultTextOption();
    const qreal margin = document()->documentMargin();
    setDocument(nullptr); // the widget made the present one, and deletes it
    QTextDocument* fresh = document();
    fresh->setUndoRedoEnabled(false); // the margin is no edit of the person's
    fresh->setDefaultFont(font);
    fresh->setDefaultTextOption(option);
    fresh->setDocumentMargin(margin);
    fresh->setUndoRedoEnabled(true);
    WatchDocument();
}

void TextAreaWidget::WatchDocument()
{
    blocks_ = document()->blockCount();
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { MarkLongRuns(position, added); });
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        blocks_ = document()->blockCount();
        FitWrapping();
    });
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

// Every way in which text comes in (a typed key, control keys such as Return and Tab among them,
// a key that makes several characters, an input method's commit, a paste or a drop) goes through
// Admit: the key filter, the length limit and what the field can show hold for each alike.
void TextAreaWidget::keyPressEvent(QKeyEvent* event)
{
    const std::optional<std::string> key = KeyText(*event);
    // A control key (Return, Tab, Backspace, the arrows) meets the key filter as one key, before
    // the widget acts on it; a key that types text meets it character by character, as a paste.
    const bool controlKey = key && IsControlKey(*key);
    if (controlKey && field_.FiltersKeys() && field_.DropsKey(*key)) {
        event->accept(); // the handler dropped the key
        return;
    }
    const QString text = isReadOnly() ? QString() : InsertedText(*event);
    if (text.isEmpty()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (text == QStringLiteral("\n") && !field_.Multiline()) {
        event->ignore();
        return;
    }
    QTextCursor cursor = textCursor();
    const Admission admitted =
        Admit(text, cursor.selectionStart(), cursor.selectionEnd(), controlKey ? Entry::ControlKey : Entry::Key);
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
    const Admission admitted = Admit(commit, from, to, Entry::Text);
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
    const Admission admitted = Admit(text, cursor.selectionStart(), cursor.selectionEnd(), Entry::Text);
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
//
// The drag itself runs an event loop of its own until it is dropped, and meanwhile the field goes
// on making up moves as it scrolls toward a pointer outside it (which a small field meets as soon
// as the drag leaves it): each would start a new drag while the first runs. A move that comes
// while a move is handled comes from that loop, and is let go.
void TextAreaWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (moving_) {
        event->accept();
        return;
    }
    {
        const QScopedValueRollback<bool> moving(moving_, true);
        QPlainTextEdit::mouseMoveEvent(event);
    }
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
    if (!CanScroll())
        ShowFirstLineWithText();
}

// The first line that holds text, or the first line when none does. The toolkit lets a field
// scroll its one line out of sight when the line is a fraction of a pixel taller than it thinks
// the field is, so the line is chosen here, not left to where the cursor took the view.
void TextAreaWidget::ShowFirstLineWithText()
{
    int line = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (!block.text().trimmed().isEmpty()) {
            verticalScrollBar()->setValue(line);
            return;
        }
        line += std::max(1, block.lineCount());
    }
    verticalScrollBar()->setValue(0);
}

// Wrapping at words costs the toolkit a look ahead to the next blank for every wrapped line,
// which grows with the square of a line that has no blank (a comma-separated row of numbers):
// two million characters take minutes. A field wraps anywhere while it holds such a line, a cost
// that grows with the length; lines that fit the width look the same either way. Only the lines
// that changed are looked at, and each line marked as holding such a run keeps its mark until it
// changes again or goes, so an edit costs the same in a long list as in a short one.
//
// Told of an edit before the layout is, the field marks the changed lines. An edit that leaves the
// number of lines as it was has its line laid out again as soon as the layout learns of it, so
// the wrapping changes here, first. Any other edit leaves its lines to be laid out later, and the
// wrapping changes once the layout knows the new lines: changed in the midst of such an edit, it
// would have the layout lay out every line of a long list at once.
void TextAreaWidget::MarkLongRuns(int position, int added)
{
    QTextDocument* document = this->document();
    const QTextBlock last = document->findBlock(position + added);
    for (QTextBlock block = document->findBlock(position); block.isValid(); block = block.next()) {
        const bool longRun = block.length() > kLongestWrappedRun && HasLongRun(block.text());
        if (longRun != (block.userData() != nullptr))
            block.setUserData(longRun ? new LongRunMark(longRunLines_) : nullptr);
        if (block == last)
            break;
    }
    if (document->blockCount() == blocks_)
        FitWrapping();
}

void TextAreaWidget::FitWrapping()
{
    const QTextOption::WrapMode mode =
        *longRunLines_ > 0 ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

// What of the text goes in place of the widget's text between from and to. A field that cannot
// scroll shows only the few characters that fit its box: a tab's gap or the stray glyph of
// another control character would push them out of sight, so it takes no control character but
// a line break. A field that takes no tabs gets none from a key (a paste may bring the list one:
// it shows it as a gap). These go silently, as the key filter lets their codes pass. Every other
// character passes the KeyDown handler as a key of its own, as if typed (a line break as
// Return), unless a control key has passed it already, and what the handler keeps is cut to the
// room that the length limit leaves. However many characters the handler drops, the text beeps
// once.
TextAreaWidget::Admission TextAreaWidget::Admit(const QString& text, int from, int to, Entry entry)
{
    const bool filtered = entry != Entry::ControlKey && field_.FiltersKeys();
    const bool showsControls = CanScroll();
    const bool takesTabs = entry == Entry::Text || !tabChangesFocus();
    if (!filtered && field_.LimitText() <= 0 && showsControls && takesTabs)
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
        const bool unseen = !lineBreak && IsControlCode(character.front().unicode()) &&
                            (!showsControls || (character.front() == QChar('\t') && !takesTabs));
        if (unseen) {
            admitted.whole = false;
            continue;
        }
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

bool TextAreaWidget::CanScroll() const
{
    return verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ||
           horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
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
