#include "framework/controls/textarea.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "framework/core/keytext.h"
#include "framework/core/runtime.h"
#include "framework/core/system.h"
#include "framework/core/text.h"

namespace {

// The text areas whose widget has yet to show their text; one posted call serves them all.
std::vector<std::weak_ptr<Object>>& AwaitingUpdate()
{
    static std::vector<std::weak_ptr<Object>> areas;
    return areas;
}

void UpdateAwaitingWidgets()
{
    std::vector<std::weak_ptr<Object>> due;
    due.swap(AwaitingUpdate());
    for (const auto& weak : due)
        if (auto object = weak.lock())
            static_cast<TextArea&>(*object).UpdateWidget();
}

void AwaitUpdate(const std::shared_ptr<Object>& area)
{
    std::vector<std::weak_ptr<Object>>& awaiting = AwaitingUpdate();
    if (awaiting.empty() && QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &UpdateAwaitingWidgets, Qt::QueuedConnection);
    awaiting.push_back(area);
}

// The widget's paragraphs are the text's lines; CR, LF and CR LF each end a line.
QString ToWidgetText(const std::string& text)
{
    QString widgetText = QString::fromStdString(text);
    widgetText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    widgetText.replace(QChar('\r'), QChar('\n'));
    return widgetText;
}

// Lines that a person typed end with CR, the framework's line ending.
std::string FromWidgetText(const QString& widgetText)
{
    QString text = widgetText;
    text.replace(QChar('\n'), QChar('\r'));
    text.replace(QChar::LineSeparator, QChar('\r'));
    return text.toStdString();
}

Qt::Alignment AreaAlignment(int32_t code)
{
    // Alignment codes: 0 the default (left), 1 left, 2 centre, 3 right.
    switch (code) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

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
        QKeySequence::SelectAll,         QKeySequence::Copy,
        QKeySequence::Cut,               QKeySequence::Paste,
        QKeySequence::Undo,              QKeySequence::Redo,
        QKeySequence::Delete,            QKeySequence::Backspace,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteEndOfLine,   QKeySequence::DeleteCompleteLine,
        QKeySequence::InsertParagraphSeparator, QKeySequence::InsertLineSeparator,
    };
    return std::any_of(std::begin(kCommands), std::end(kCommands),
                       [&](QKeySequence::StandardKey command) { return event.matches(command); });
}

// What of a text goes into a field, and whether that is all of it: a character that the key
// filter drops or that finds no room leaves the text short.
struct Admission {
    QString text;
    bool whole = true;
};

// A plain-text widget: Qt's rich-text layout takes minutes over a list of half a million
// lines that this one lays out in seconds, and it still carries character formats (bold).
class TextAreaWidget : public QPlainTextEdit {
public:
    TextAreaWidget(TextArea& area, QWidget* parent) : QPlainTextEdit(parent), area_(area)
    {
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (!updating_)
                area_.WidgetEdited();
        });
        // Told before the changed lines are laid out, so that the wrapping fits them first.
        connect(document(), &QTextDocument::contentsChange, this,
                [this](int position, int, int added) { FitWrapping(position, added); });
    }

    void ShowText(const QString& text)
    {
        updating_ = true;
        setPlainText(text);
        updating_ = false;
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            area_.UpdateWidget();
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
    void keyPressEvent(QKeyEvent* event) override
    {
        const std::optional<std::string> key = KeyText(*event);
        if (key && IsControlKey(*key)) {
            if (area_.HasHandler(EventId::KeyDown) && area_.Raise(EventId::KeyDown, EventArgs{0, 0, *key})) {
                event->accept(); // the handler dropped the key
                return;
            }
            const bool lineBreak = *key == "\r" || *key == "\x03";
            if (lineBreak && !isReadOnly()) {
                if (!area_.Multiline()) {
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
    void inputMethodEvent(QInputMethodEvent* event) override
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
    void insertFromMimeData(const QMimeData* source) override
    {
        area_.UpdateWidget();
        inserted_ = Inserted::Nothing;
        if (isReadOnly() || source == nullptr || !source->hasText())
            return;
        QString text = source->text();
        if (!area_.Multiline())
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
    void dropEvent(QDropEvent* event) override
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
    void mouseMoveEvent(QMouseEvent* event) override
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
    void focusOutEvent(QFocusEvent* event) override
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

private:
    // Wrapping at words costs the toolkit a look ahead to the next blank for every wrapped line,
    // which grows with the square of a line that has no blank (a comma-separated row of numbers):
    // two million characters take minutes. A field that holds such a run wraps anywhere, a cost
    // that grows with the length; lines that fit the width look the same either way. It goes back
    // to wrapping at words when its whole text is replaced by one without such a run.
    void FitWrapping(int position, int added)
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

    static bool HasLongRun(const QString& line)
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

    // Far wider than any field, and short enough that looking ahead over such runs stays cheap.
    static constexpr int kLongestWrappedRun = 256;

    static bool IsControlKey(const std::string& key)
    {
        const auto code = static_cast<unsigned char>(key[0]);
        return code < 32 || code == 127;
    }

    // What of the text goes in place of the widget's text between from and to: each character
    // passes the KeyDown handler as a key of its own, as if typed (a line break as Return), and
    // what the handler keeps is cut to the room that the length limit leaves. However many
    // characters the handler drops, the text beeps once.
    Admission Admit(const QString& text, int from, int to)
    {
        const bool filtered = area_.HasHandler(EventId::KeyDown);
        if (!filtered && area_.LimitText() <= 0)
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
            if ((filtered && area_.Raise(EventId::KeyDown, EventArgs{0, 0, key})) || room <= 0) {
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
    int RoomLeft(int from, int to) const
    {
        const int32_t limit = area_.LimitText();
        if (limit <= 0)
            return std::numeric_limits<int>::max();
        const QString text = toPlainText();
        const QStringView view(text);
        from = std::clamp<int>(from, 0, text.size());
        to = std::clamp<int>(to, from, text.size());
        return limit - CharacterCount(view.first(from)) - CharacterCount(view.sliced(to));
    }

    TextArea& area_;
    bool updating_ = false;
    // How much of what the last paste or drop carried went in.
    enum class Inserted { Nothing, Part, All } inserted_ = Inserted::Nothing;
};

// Sets the selection. Off screen it does not scroll the field: until it is shown, the widget lays
// its text out at no real width and would scroll by lines it does not have, and a window would open
// below its first line. On screen the cursor is brought into view.
void Select(QPlainTextEdit& widget, const QTextCursor& cursor)
{
    if (widget.isVisible()) {
        widget.setTextCursor(cursor);
        return;
    }
    const int top = widget.verticalScrollBar()->value();
    const int left = widget.horizontalScrollBar()->value();
    widget.setTextCursor(cursor);
    widget.verticalScrollBar()->setValue(top);
    widget.horizontalScrollBar()->setValue(left);
}

TextAreaWidget* WidgetOf(const TextArea& area) { return static_cast<TextAreaWidget*>(area.NativeWidget()); }

// The selection lives in the widget: an area whose window has gone has none.
TextAreaWidget& SelectionWidget(const TextArea& area)
{
    if (TextAreaWidget* widget = WidgetOf(area))
        return *widget;
    throw NilObjectException("the text area " + area.Name() + " has no window");
}

} // namespace

TextArea::~TextArea() = default;

const std::string& TextArea::Text() const
{
    if (widgetNewer_) {
        if (TextAreaWidget* widget = WidgetOf(*this))
            text_ = FromWidgetText(widget->toPlainText());
        widgetNewer_ = false;
    }
    return text_;
}

void TextArea::SetText(std::string text)
{
    text_ = std::move(text);
    ShowText();
}

void TextArea::ShowText()
{
    widgetNewer_ = false;
    if (!widgetStale_ && NativeWidget() != nullptr) {
        widgetStale_ = true;
        AwaitUpdate(shared_from_this());
    }
}

void TextArea::UpdateWidget() const
{
    if (!widgetStale_)
        return;
    widgetStale_ = false;
    if (TextAreaWidget* widget = WidgetOf(*this))
        widget->ShowText(ToWidgetText(text_));
}

// Characters of the text are code points, and a byte of no valid UTF-8 is one of them, as Len
// counts. The widget counts UTF-16 units, shows such a byte as one U+FFFD and a CR LF pair as one
// line break.
int TextArea::WidgetPosition(int32_t characters) const
{
    const std::string& text = Text();
    int widget = 0;
    int32_t seen = 0;
    for (size_t i = 0; i < text.size() && seen < characters; ++seen) {
        Utf8Character character = DecodeUtf8(text, i);
        if (character.code == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++seen; // the pair is two characters of the text
            character.length = 2;
        }
        widget += character.code >= 0x10000 ? 2 : 1;
        i += character.length;
    }
    return widget;
}

int32_t TextArea::TextPosition(int widgetPosition) const
{
    const std::string& text = Text();
    int widget = 0;
    int32_t characters = 0;
    for (size_t i = 0; i < text.size() && widget < widgetPosition;) {
        Utf8Character character = DecodeUtf8(text, i);
        int32_t count = 1;
        if (character.code == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            character.length = 2;
            count = 2;
        }
        widget += character.code >= 0x10000 ? 2 : 1;
        characters += count;
        i += character.length;
    }
    return characters;
}

int32_t TextArea::SelStart() const
{
    UpdateWidget();
    return TextPosition(SelectionWidget(*this).textCursor().selectionStart());
}

void TextArea::SetSelStart(int32_t start)
{
    UpdateWidget();
    TextAreaWidget& widget = SelectionWidget(*this);
    QTextCursor cursor = widget.textCursor();
    const int end = widget.document()->characterCount() - 1;
    cursor.setPosition(std::clamp(WidgetPosition(std::max(0, start)), 0, end));
    Select(widget, cursor);
}

int32_t TextArea::SelLength() const
{
    UpdateWidget();
    const QTextCursor cursor = SelectionWidget(*this).textCursor();
    return TextPosition(cursor.selectionEnd()) - TextPosition(cursor.selectionStart());
}

void TextArea::SetSelLength(int32_t length)
{
    UpdateWidget();
    TextAreaWidget& widget = SelectionWidget(*this);
    QTextCursor cursor = widget.textCursor();
    const int start = cursor.selectionStart();
    const int end = widget.document()->characterCount() - 1;
    const int32_t startCharacters = TextPosition(start);
    cursor.setPosition(start);
    // A length up to INT32_MAX selects to the end: the sum is taken wide so it cannot overflow.
    const auto endCharacters =
        static_cast<int32_t>(std::min<int64_t>(int64_t{startCharacters} + std::max(0, length), INT32_MAX));
    cursor.setPosition(std::clamp(WidgetPosition(endCharacters), start, end), QTextCursor::KeepAnchor);
    Select(widget, cursor);
}

bool TextArea::SelBold() const
{
    UpdateWidget();
    const QTextCursor cursor = SelectionWidget(*this).textCursor();
    if (!cursor.hasSelection())
        return cursor.charFormat().fontWeight() >= QFont::Bold;
    QTextCursor probe(cursor.document());
    for (int at = cursor.selectionStart() + 1; at <= cursor.selectionEnd(); ++at) {
        probe.setPosition(at);
        if (probe.charFormat().fontWeight() < QFont::Bold)
            return false;
    }
    return true;
}

void TextArea::SetSelBold(bool bold)
{
    if (!styled_)
        return;
    UpdateWidget();
    QTextCursor cursor = SelectionWidget(*this).textCursor();
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.mergeCharFormat(format);
}

const PropertyTable& TextArea::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&TextArea::tabStop_>("TabStop"),
        Property<&TextArea::border_>("Border"),
        Property<&TextArea::multiline_>("Multiline"),
        Property<&TextArea::scrollbarHorizontal_>("ScrollbarHorizontal"),
        Property<&TextArea::scrollbarVertical_>("ScrollbarVertical"),
        Property<&TextArea::styled_>("Styled"),
        Unused("UseFocusRing"), // the toolkit's style draws the focus
        Property<&TextArea::textColor_>("TextColor"),
        Property<&TextArea::backColor_>("BackColor"),
        Unused("Format"), // no field formats its text
        Property<&TextArea::hideSelection_>("HideSelection"),
        Property<&TextArea::text_>("Text"),
        Unused("Mask"), // no field masks its input
        Property<&TextArea::readOnly_>("ReadOnly"),
        Property<&TextArea::limitText_>("LimitText"),
        Property<&TextArea::acceptTabs_>("AcceptTabs"),
        Property<&TextArea::alignment_>("Alignment"),
        Unused("AutomaticallyCheckSpelling"), // the toolkit has no spelling checker
        Unused("DataSource"),                 // no field is bound to data
        Unused("DataField"),
    };
    static const PropertyTable kTable{kRows, &TextControl::Properties()};
    return kTable;
}

std::string TextArea::EventSignature(int32_t eventId) const
{
    return eventId == EventId::KeyDown ? "( TextArea, String ) as Boolean" : std::string();
}

QWidget* TextArea::CreateWidget(QWidget* parent)
{
    auto* widget = new TextAreaWidget(*this, parent);
    widget->setTabChangesFocus(true);
    widget->show();
    return widget;
}

void TextArea::ShowProperties()
{
    TextControl::ShowProperties();
    ShowText();
    TextAreaWidget* widget = WidgetOf(*this);
    if (widget == nullptr)
        return;
    widget->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setFrameShape(border_ ? QFrame::StyledPanel : QFrame::NoFrame);
    widget->setLineWrapMode(multiline_ && !scrollbarHorizontal_ ? QPlainTextEdit::WidgetWidth
                                                                : QPlainTextEdit::NoWrap);
    widget->setHorizontalScrollBarPolicy(scrollbarHorizontal_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    widget->setVerticalScrollBarPolicy(scrollbarVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    widget->setReadOnly(readOnly_);
    widget->setTabChangesFocus(!acceptTabs_);
    // A field that cannot scroll gives its text all the room inside its border: the document's
    // usual margin would cut a small field's one line at the bottom and wrap four digits.
    if (!scrollbarVertical_ && !scrollbarHorizontal_)
        widget->document()->setDocumentMargin(0);
    QTextOption option = widget->document()->defaultTextOption();
    option.setAlignment(AreaAlignment(alignment_));
    widget->document()->setDefaultTextOption(option);

    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, QColor(textColor_.red, textColor_.green, textColor_.blue));
    palette.setColor(QPalette::Base, QColor(backColor_.red, backColor_.green, backColor_.blue));
    // A hidden selection shows nothing while the field is not focused.
    const QPalette::ColorRole shown[] = {QPalette::Highlight, QPalette::HighlightedText};
    const QPalette::ColorRole hidden[] = {QPalette::Base, QPalette::Text};
    for (int k = 0; k < 2; ++k)
        palette.setColor(QPalette::Inactive, shown[k],
                         palette.color(QPalette::Active, hideSelection_ ? hidden[k] : shown[k]));
    widget->setPalette(palette);
}

void ReleaseTextAreasAwaitingUpdate() { std::vector<std::weak_ptr<Object>>().swap(AwaitingUpdate()); }
