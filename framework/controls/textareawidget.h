#pragma once

#include <QPlainTextEdit>
#include <QString>

class TextInput;

// The widget of a text field. A plain-text widget: Qt's rich-text layout takes minutes over a list
// of half a million lines that this one lays out in seconds, and it still carries character
// formats (bold). Every way in which text comes in meets the field's key filter and length limit.
class TextAreaWidget : public QPlainTextEdit {
public:
    TextAreaWidget(TextInput& field, QWidget* parent);

    // Shows the field's text, which the program set: no edit of the person's.
    void ShowText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // What of a text goes into the field, and whether that is all of it: a character that the
    // key filter drops or that finds no room leaves the text short.
    struct Admission {
        QString text;
        bool whole = true;
    };

    void FitWrapping(int position, int added);
    Admission Admit(const QString& text, int from, int to);
    int RoomLeft(int from, int to) const;

    TextInput& field_;
    bool updating_ = false;
    // How much of what the last paste or drop carried went in.
    enum class Inserted { Nothing, Part, All } inserted_ = Inserted::Nothing;
};
