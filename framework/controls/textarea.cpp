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

constexpr std::array<std::string_view, 29> kTextAreaProperties = {
    "TabStop", "Border", "Multiline", "ScrollbarHorizontal", "ScrollbarVertical", "Styled", "UseFocusRing",
    "TextColor", "BackColor", "Enabled", "Format", "Visible", "HelpTag", "AutoDeactivate", "HideSelection",
    "TextFont", "Bold", "Italic", "Underline", "Text", "Mask", "ReadOnly", "LimitText", "AcceptTabs",
    "Alignment", "AutomaticallyCheckSpelling", "DataSource", "DataField", "InitialParent"};

// The text areas whose widget has yet to show their text; one posted call serves them all.
std::vector<std::weak_ptr<Object>>* awaitingUpdate = nullptr;

void UpdateAwaitingWidgets()
{
    if (awaitingUpdate == nullptr)
        return;
    std::vector<std::weak_ptr<Object>> due;
    due.swap(*awaitingUpdate);
    for (const auto& weak : due)
        if (auto object = weak.lock())
            static_cast<TextArea&>(*object).UpdateWidget();
}

void AwaitUpdate(const std::shared_ptr<Object>& area)
{
    if (awaitingUpdate == nullptr)
        awaitingUpdate = new std::vector<std::weak_ptr<Object>>();
    if (awaitingUpdate->empty() && QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &UpdateAwaitingWidgets, Qt::QueuedConnection);
    awaitingUpdate->push_back(area);
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
            if (lineBreak && !area_.BoolProperty("Multiline")) {
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
        if (!area_.BoolProperty("Multiline"))
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

} // namespace

TextArea::~TextArea() = default;

std::string TextArea::Text() const
{
    if (widgetNewer_) {
        text_ = FromWidgetText(WidgetOf(*this)->toPlainText());
        widgetNewer_ = false;
    }
    return text_;
}

void TextArea::SetText(const std::string& text)
{
    text_ = text;
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
    WidgetOf(*this)->ShowText(ToWidgetText(text_));
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
    return TextPosition(WidgetOf(*this)->textCursor().selectionStart());
}

void TextArea::SetSelStart(int32_t start)
{
    UpdateWidget();
    TextAreaWidget* widget = WidgetOf(*this);
    QTextCursor cursor = widget->textCursor();
    const int end = widget->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(WidgetPosition(std::max(0, start)), 0, end));
    widget->setTextCursor(cursor);
}

int32_t TextArea::SelLength() const
{
    UpdateWidget();
    const QTextCursor cursor = WidgetOf(*this)->textCursor();
    return TextPosition(cursor.selectionEnd()) - TextPosition(cursor.selectionStart());
}

void TextArea::SetSelLength(int32_t length)
{
    UpdateWidget();
    TextAreaWidget* widget = WidgetOf(*this);
    QTextCursor cursor = widget->textCursor();
    const int start = cursor.selectionStart();
    const int end = widget->document()->characterCount() - 1;
    const int32_t startCharacters = TextPosition(start);
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(WidgetPosition(startCharacters + std::max(0, length)), start, end),
                       QTextCursor::KeepAnchor);
    widget->setTextCursor(cursor);
}

bool TextArea::SelBold() const
{
    UpdateWidget();
    const QTextCursor cursor = WidgetOf(*this)->textCursor();
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
    if (!BoolProperty("Styled"))
        return;
    UpdateWidget();
    QTextCursor cursor = WidgetOf(*this)->textCursor();
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.mergeCharFormat(format);
}

bool TextArea::AcceptsProperty(std::string_view name) const
{
    for (std::string_view own : kTextAreaProperties)
        if (own == name)
            return true;
    return RectControl::AcceptsProperty(name);
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

void TextArea::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    TextAreaWidget* widget = WidgetOf(*this);
    if (widget == nullptr)
        return;
    auto flag = [&] { return std::get<bool>(value); };
    auto colour = [&] {
        const Color c = std::get<Color>(value);
        return QColor(c.red, c.green, c.blue);
    };
    if (name == "Text") {
        SetText(std::get<std::string>(value));
    } else if (name == "TabStop") {
        widget->setFocusPolicy(flag() ? Qt::StrongFocus : Qt::ClickFocus);
    } else if (name == "Border") {
        widget->setFrameShape(flag() ? QFrame::StyledPanel : QFrame::NoFrame);
    } else if (name == "Multiline" || name == "ScrollbarHorizontal") {
        const bool wraps = BoolProperty("Multiline") && !BoolProperty("ScrollbarHorizontal");
        widget->setLineWrapMode(wraps ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        widget->setHorizontalScrollBarPolicy(BoolProperty("ScrollbarHorizontal") ? Qt::ScrollBarAsNeeded
                                                                                 : Qt::ScrollBarAlwaysOff);
    } else if (name == "ScrollbarVertical") {
        widget->setVerticalScrollBarPolicy(flag() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "TextColor" || name == "BackColor") {
        QPalette palette = widget->palette();
        palette.setColor(name == "TextColor" ? QPalette::Text : QPalette::Base, colour());
        widget->setPalette(palette);
    } else if (name == "HideSelection") {
        // A hidden selection shows nothing while the field is not focused.
        QPalette palette = widget->palette();
        const QPalette::ColorRole shown[] = {QPalette::Highlight, QPalette::HighlightedText};
        const QPalette::ColorRole hidden[] = {QPalette::Base, QPalette::Text};
        for (int k = 0; k < 2; ++k)
            palette.setColor(QPalette::Inactive, shown[k],
                             palette.color(QPalette::Active, flag() ? hidden[k] : shown[k]));
        widget->setPalette(palette);
    } else if (name == "ReadOnly") {
        widget->setReadOnly(flag());
    } else if (name == "AcceptTabs") {
        widget->setTabChangesFocus(!flag());
    } else if (name == "Alignment") {
        QTextOption option = widget->document()->defaultTextOption();
        option.setAlignment(AreaAlignment(std::get<int32_t>(value)));
        widget->document()->setDefaultTextOption(option);
    } else {
        TextControl::ApplyProperty(name, value);
    }
}

void ReleaseTextAreasAwaitingUpdate()
{
    delete awaitingUpdate;
    awaitingUpdate = nullptr;
}
