#include "framework/controls/pushbutton.h"

#include <QPushButton>
#include <QShortcut>

#include <array>

namespace {
constexpr std::array<std::string_view, 14> kButtonProperties = {
    "TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible", "HelpTag", "AutoDeactivate",
    "ButtonStyle", "TextFont", "Bold", "Italic", "Underline", "InitialParent"};
} // namespace

bool PushButton::AcceptsProperty(std::string_view name) const
{
    for (std::string_view own : kButtonProperties)
        if (own == name)
            return true;
    return RectControl::AcceptsProperty(name);
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

void PushButton::ApplyProperty(std::string_view name, const PropertyValue& value)
{
    auto* button = static_cast<QPushButton*>(NativeWidget());
    if (button == nullptr)
        return;
    if (name == "Caption") {
        button->setText(QString::fromStdString(std::get<std::string>(value)));
    } else if (name == "TabStop") {
        button->setFocusPolicy(std::get<bool>(value) ? Qt::StrongFocus : Qt::ClickFocus);
    } else if (name == "Default") {
        button->setDefault(std::get<bool>(value));
    } else if (name == "Cancel") {
        auto* escapeKey = button->findChild<QShortcut*>("CancelShortcut");
        if (std::get<bool>(value) && escapeKey == nullptr) {
            escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), button);
            escapeKey->setObjectName("CancelShortcut");
            escapeKey->setContext(Qt::WindowShortcut);
            QObject::connect(escapeKey, &QShortcut::activated, button, &QPushButton::click);
        } else if (!std::get<bool>(value)) {
            delete escapeKey;
        }
    } else {
        TextControl::ApplyProperty(name, value);
    }
}
