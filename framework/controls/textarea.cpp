#include "framework/controls/textarea.h"

#include <QCoreApplication>
#include <QFrame>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/controls/textareawidget.h"
#include "framework/core/runtime.h"
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

// The widget asks this area for its text and rules until it goes: it goes while the area is
// whole, not later with the control's base.
TextArea::~TextArea() { delete NativeWidget(); }

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
    // usual margin would cut a small field's one line at the bottom and wrap four digits. The
    // document records a change of its margin as an edit; made with the history off, it is no
    // step for Undo to take back.
    QTextDocument* document = widget->document();
    if (!scrollbarVertical_ && !scrollbarHorizontal_ && document->documentMargin() != 0) {
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        document->setDocumentMargin(0);
        document->setUndoRedoEnabled(undo);
    }
    QTextOption option = document->defaultTextOption();
    option.setAlignment(AreaAlignment(alignment_));
    document->setDefaultTextOption(option);

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
