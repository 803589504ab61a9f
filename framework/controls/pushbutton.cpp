#include "framework/controls/pushbutton.h"

#include <QPushButton>
#include <QShortcut>

namespace {

QPushButton* ButtonWidget(const PushButton& button) { return static_cast<QPushButton*>(button.NativeWidget()); }

} // namespace

const PropertyTable& PushButton::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&PushButton::tabStop_, &PushButton::ShowTabStop>("TabStop"),
        Property<&PushButton::caption_, &PushButton::ShowCaption>("Caption"),
        Property<&PushButton::default_, &PushButton::ShowDefault>("Default"),
        Property<&PushButton::cancel_, &PushButton::ShowCancel>("Cancel"),
        Unused("ButtonStyle"), // one style only: the toolkit's push button
    };
    static const PropertyTable kTable{kRows, &TextControl::Properties()};
    return kTable;
}

std::string PushButton::EventSignature(int32_t eventId) const
{
    return eventId == EventId::Action ? "( PushButton )" : std::string();
}

void PushButton::Push()
{
    if (QPushButton* button = ButtonWidget(*this))
        button->click();
}

QWidget* PushButton::CreateWidget(QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Raise(EventId::Action, EventArgs{}); });
    button->show();
    return button;
}

void PushButton::ShowTabStop()
{
    if (QPushButton* button = ButtonWidget(*this))
        button->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

void PushButton::ShowCaption()
{
    if (QPushButton* button = ButtonWidget(*this))
        button->setText(QString::fromStdString(caption_));
}

void PushButton::ShowDefault()
{
    if (QPushButton* button = ButtonWidget(*this))
        button->setDefault(default_);
}

void PushButton::ShowCancel()
{
    QPushButton* button = ButtonWidget(*this);
    if (button == nullptr)
        return;
    // Escape clicks the cancel button of its window.
    auto* escapeKey = button->findChild<QShortcut*>("CancelShortcut");
    if (cancel_ && escapeKey == nullptr) {
        escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), button);
        escapeKey->setObjectName("CancelShortcut");
        escapeKey->setContext(Qt::WindowShortcut);
        QObject::connect(escapeKey, &QShortcut::activated, button, &QPushButton::click);
    } else if (!cancel_) {
        delete escapeKey;
    }
}
