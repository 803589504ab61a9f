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

QLabel* LabelWidget(const Label& label) { return static_cast<QLabel*>(label.NativeWidget()); }

} // namespace

const PropertyTable& Label::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&Label::text_, &Label::ShowText>("Text"),
        Property<&Label::textAlign_, &Label::ShowTextAlign>("TextAlign"),
        Property<&Label::textColor_, &Label::ShowTextColor>("TextColor"),
        Property<&Label::multiline_, &Label::ShowMultiline>("Multiline"),
        Property<&Label::selectable_, &Label::ShowSelectable>("Selectable"),
        Property<&Label::transparent_, &Label::ShowTransparent>("Transparent"),
        Unused("DataSource"), // no label is bound to data
        Unused("DataField"),
    };
    static const PropertyTable kTable{kRows, &TextControl::Properties()};
    return kTable;
}

QWidget* Label::CreateWidget(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAlignment(LabelAlignment(0));
    label->setAutoFillBackground(true);
    label->show();
    return label;
}

void Label::ShowText()
{
    if (QLabel* label = LabelWidget(*this))
        label->setText(QString::fromStdString(text_));
}

void Label::ShowTextAlign()
{
    if (QLabel* label = LabelWidget(*this))
        label->setAlignment(LabelAlignment(textAlign_));
}

void Label::ShowTextColor()
{
    if (QLabel* label = LabelWidget(*this)) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(textColor_.red, textColor_.green, textColor_.blue));
        label->setPalette(palette);
    }
}

void Label::ShowMultiline()
{
    if (QLabel* label = LabelWidget(*this))
        label->setWordWrap(multiline_);
}

void Label::ShowSelectable()
{
    if (QLabel* label = LabelWidget(*this))
        label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

void Label::ShowTransparent()
{
    // An opaque label paints the window's background behind its text.
    if (QLabel* label = LabelWidget(*this))
        label->setAutoFillBackground(!transparent_);
}
