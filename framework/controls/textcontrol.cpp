#include "framework/controls/textcontrol.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

void TextControl::SetTextSize(float size)
{
    textSize_ = size;
    ShowFont();
}

void TextControl::SetTextUnit(FontUnits unit)
{
    textUnit_ = unit;
    ShowFont();
}

const PropertyTable& TextControl::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&TextControl::textFont_>("TextFont"),
        Property<&TextControl::bold_>("Bold"),
        Property<&TextControl::italic_>("Italic"),
        Property<&TextControl::underline_>("Underline"),
    };
    static const PropertyTable kTable{kRows, &RectControl::Properties()};
    return kTable;
}

void TextControl::ShowProperties()
{
    RectControl::ShowProperties();
    ShowFont();
}

void TextControl::ShowFont()
{
    if (QWidget* widget = NativeWidget())
        widget->setFont(ControlFont());
}

QFont TextControl::ControlFont() const
{
    QFont font;
    if (textFont_ == "System" || textFont_.empty()) {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    } else if (textFont_ == "Courier") {
        font = QFont(QStringLiteral("Monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (textFont_ == "Times" || textFont_ == "times") {
        // Asked for by name, Times finds a face with its widths (Liberation Serif, Nimbus Roman)
        // where one is installed: the layouts' texts were measured in Times, and a wider serif
        // cuts them off. Without one, any serif.
        font = QFont(QStringLiteral("Times"));
        font.setStyleHint(QFont::Serif);
    } else {
        font = QFont(QString::fromStdString(textFont_));
    }
    // The layouts were drawn at 72 dots per inch, where a point is a pixel: sizes are pixels.
    if (textSize_ > 0)
        font.setPixelSize(static_cast<int>(textSize_ + 0.5f));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    return font;
}
