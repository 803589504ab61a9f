#include "framework/controls/label.h"

#include <QLabel>

#include <array>

namespace {

constexpr std::array<std::string_view, 17> kLabelProperties = {
    "Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible", "Selectable", "Transparent",
    "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline", "DataSource", "DataField",
    "InitialParent"};

// TextAlign codes: 0 left, 1 centre, 2 right.
Qt::Alignment LabelAlignment(int32_t code)
{
    switch (code) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignTop;
    case 2:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

} // namespace

bool Label::AcceptsProperty(std::string_view name) const
{
    for (std::string_view own : kLabelProperties)
        if (own == name)
            return true;
    return RectControl::AcceptsProperty(name);
}

QWidget* Label::CreateWidget(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAlignment(LabelAlignment(0));
    label->setAutoFillBackground(true);
    label->show();
    return label;
}

void Label::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    auto* label = static_cast<QLabel*>(NativeWidget());
    if (label == nullptr)
        return;
    if (name == "Text") {
        label->setText(QString::fromStdString(std::get<std::string>(value)));
    } else if (name == "TextAlign") {
        label->setAlignment(LabelAlignment(std::get<int32_t>(value)));
    } else if (name == "TextColor") {
        const Color c = std::get<Color>(value);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(c.red, c.green, c.blue));
        label->setPalette(palette);
    } else if (name == "Multiline") {
        label->setWordWrap(std::get<bool>(value));
    } else if (name == "Selectable") {
        label->setTextInteractionFlags(std::get<bool>(value) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    } else if (name == "Transparent") {
        // An opaque label paints the window's background behind its text.
        label->setAutoFillBackground(!std::get<bool>(value));
    } else {
        TextControl::ApplyProperty(name, value);
    }
}
