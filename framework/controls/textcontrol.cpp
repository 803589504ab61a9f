#include "framework/controls/textcontrol.h"

#include <QFont>
#include <QWidget>

void TextControl::SetTextSize(float size)
{
    textSize_ = size;
    ApplyFont();
}

void TextControl::SetTextUnit(FontUnits unit)
{
    textUnit_ = unit;
    ApplyFont();
}

bool TextControl::IsFontProperty(std::string_view name)
{
    return name == "TextFont" || name == "Bold" || name == "Italic" || name == "Underline";
}

void TextControl::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    if (IsFontProperty(name))
        ApplyFont();
    else
        RectControl::ApplyProperty(name, value);
}

void TextControl::ApplyFont()
{
    if (QWidget* widget = NativeWidget())
        widget->setFont(ControlFont(textSize_));
}
