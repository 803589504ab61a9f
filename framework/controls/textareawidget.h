#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <memory>

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
    // How text comes in: by a control key, which has met the key filter as one key; by another
    // key; or put in whole, by a paste, a drop or an input method's commit.
    enum class Entry { ControlKey, Key, Text };

    void RenewDocument();
    void WatchDocument();
    void MarkLongRuns(int position, int added);
    void FitWrapping();
    Admission Admit(const QString& text, int from, int to, Entry entry);
    bool CanScroll() const;
    void ShowFirstLineWithText();
    int RoomLeft(int from, int to) const;

    TextInput& field_;
    bool updating_ = false;
    // A mouse move is being handled: a drag it started runs its own event loop.
    bool moving_ = false;
    // How many lines hold a run too long to wrap at words. Shared with each line's mark, since
    // the document and its marks go with the widget's children, after its members.
    std::shared_ptr<int> longRunLines_ = std::make_shared<int>(0);
    // Lines of the document as the layout last knew them.
    int blocks_ = 0;
    // How much of what the last paste or drop carried went in.
    enum class Inserted { Nothing, Part, All } inserted_ = Inserted::Nothing;
};
