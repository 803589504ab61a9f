#include "framework/controls/textarea.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <array>
#include <vector>

#include "framework/core/keytext.h"
#include "framework/core/runtime.h"

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

class TextAreaWidget : public QTextEdit {
public:
    TextAreaWidget(TextArea& area, QWidget* parent) : QTextEdit(parent), area_(area)
    {
        setAcceptRichText(false);
        connect(this, &QTextEdit::textChanged, this, [this] {
            if (!updating_)
                area_.WidgetEdited();
        });
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
        return QTextEdit::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        std::optional<std::string> key = KeyText(*event);
        if (key && area_.HasHandler(EventId::KeyDown) && area_.Raise(EventId::KeyDown, EventArgs{0, 0, *key})) {
            event->accept(); // the handler dropped the key
            return;
        }
        if (key && !isReadOnly()) {
            const bool lineBreak = *key == "\r" || *key == "\x03";
            if (lineBreak && !area_.Multiline()) {
                event->ignore();
                return;
            }
            const bool inserts = lineBreak || static_cast<unsigned char>((*key)[0]) >= 32;
            if (inserts && *key != "\x7f" && RoomLeft() < 1) {
                event->accept();
                return;
            }
        }
        QTextEdit::keyPressEvent(event);
    }

    // Pasted text is cut to the room that the length limit leaves. A paste can come straight
    // from a command, with no event to bring the widget up to date: the room is measured on
    // the field's text, not on what the widget still shows.
    void insertFromMimeData(const QMimeData* source) override
    {
        area_.UpdateWidget();
        if (isReadOnly() || source == nullptr || !source->hasText())
            return;
        QString text = source->text();
        if (!area_.Multiline())
            text.replace(QChar('\n'), QChar(' ')).replace(QChar('\r'), QChar(' '));
        if (area_.LimitText() > 0)
            text.truncate(std::max(0, RoomLeft()));
        if (!text.isEmpty() || textCursor().hasSelection())
            textCursor().insertText(text);
    }

private:
    int RoomLeft() const
    {
        const int32_t limit = area_.LimitText();
        if (limit <= 0)
            return std::numeric_limits<int>::max();
        const QTextCursor cursor = textCursor();
        const int used = document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
        return limit - used;
    }

    TextArea& area_;
    bool updating_ = false;
};

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

std::string TextArea::Text() const
{
    if (widgetNewer_) {
        if (TextAreaWidget* widget = WidgetOf(*this))
            text_ = FromWidgetText(widget->toPlainText());
        widgetNewer_ = false;
    }
    return text_;
}

void TextArea::SetText(const std::string& text)
{
    text_ = text;
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

int TextArea::WidgetPosition(int32_t characters) const
{
    // Characters of the text are code points; the widget counts UTF-16 units and shows a
    // CR LF pair as one line break.
    const std::string text = Text();
    int widget = 0;
    int32_t seen = 0;
    for (size_t i = 0; i < text.size() && seen < characters; ++seen) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++seen; // the pair is two characters of the text
            length = 2;
        }
        widget += length == 4 ? 2 : 1;
        i += length;
    }
    return widget;
}

int32_t TextArea::TextPosition(int widgetPosition) const
{
    const std::string text = Text();
    int widget = 0;
    int32_t characters = 0;
    for (size_t i = 0; i < text.size() && widget < widgetPosition;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        int32_t count = 1;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            length = 2;
            count = 2;
        }
        widget += length == 4 ? 2 : 1;
        characters += count;
        i += length;
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
    widget.setTextCursor(cursor);
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
    cursor.setPosition(std::clamp(WidgetPosition(startCharacters + std::max(0, length)), start, end),
                       QTextCursor::KeepAnchor);
    widget.setTextCursor(cursor);
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
    widget->setLineWrapMode(multiline_ && !scrollbarHorizontal_ ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    widget->setHorizontalScrollBarPolicy(scrollbarHorizontal_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    widget->setVerticalScrollBarPolicy(scrollbarVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    widget->setReadOnly(readOnly_);
    widget->setTabChangesFocus(!acceptTabs_);
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
