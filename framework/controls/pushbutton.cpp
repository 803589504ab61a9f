#include "framework/controls/pushbutton.h"

#include <QPushButton>
#include <QShortcut>

const PropertyTable& PushButton::Properties() const
{
    static constexpr PropertyRow kRows[] = {
        Property<&PushButton::tabStop_>("TabStop"),
        Property<&PushButton::caption_>("Caption"),
        Property<&PushButton::default_>("Default"),
        Property<&PushButton::cancel_>("Cancel"),
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
    if (auto* button = static_cast<QPushButton*>(NativeWidget()))
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

void PushButton::ShowProperties()
{
    TextControl::ShowProperties();
    auto* button = static_cast<QPushButton*>(NativeWidget());
    if (button == nullptr)
        return;
    button->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    button->setText(QString::fromStdString(caption_));
    button->setDefault(default_);
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
