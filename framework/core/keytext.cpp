#include "framework/core/keytext.h"

#include <QKeyEvent>

std::optional<std::string> KeyText(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return std::nullopt;
    auto control = [](char code) { return std::optional<std::string>(std::string(1, code)); };
    switch (event.key()) {
    case Qt::Key_Return:
        return control(13);
    case Qt::Key_Enter:
        return control(3);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return control(9);
    case Qt::Key_Backspace:
        return control(8);
    case Qt::Key_Escape:
        return control(27);
    case Qt::Key_Left:
        return control(28);
    case Qt::Key_Right:
        return control(29);
    case Qt::Key_Up:
        return control(30);
    case Qt::Key_Down:
        return control(31);
    case Qt::Key_Delete:
        return control(127);
    case Qt::Key_Home:
        return control(1);
    case Qt::Key_End:
        return control(4);
    case Qt::Key_PageUp:
        return control(11);
    case Qt::Key_PageDown:
        return control(12);
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return std::nullopt;
    return text.toStdString();
}
