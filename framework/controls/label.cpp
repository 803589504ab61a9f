#include "framework/controls/label.h"

#include <QLabel>

namespace {

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

const PropertyTable& Label::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&Label::text_>("Text"),
        Property<&Label::textAlign_>("TextAlign"),
        Property<&Label::textColor_>("TextColor"),
        Property<&Label::multiline_>("Multiline"),
        Property<&Label::selectable_>("Selectable"),
        Property<&Label::transparent_>("Transparent"),
        Unused("DataSource"), // no label is bound to data
        Unused("DataField"),
    };
    static const PropertyTable kTable{kRows, &TextControl::Properties()};
    return kTable;
}

QWidget* Label::CreateWidget(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->show();
    return label;
}

void Label::ShowProperties()
{
    TextControl::ShowProperties();
    auto* label = static_cast<QLabel*>(NativeWidget());
    if (label == nullptr)
        return;
    label->setText(QString::fromStdString(text_));
    label->setAlignment(LabelAlignment(textAlign_));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(textColor_.red, textColor_.green, textColor_.blue));
    label->setPalette(palette);
    label->setWordWrap(multiline_);
    label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    // An opaque label paints the window's background behind its text.
    label->setAutoFillBackground(!transparent_);
}
