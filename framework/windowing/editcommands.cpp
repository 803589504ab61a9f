#include "framework/windowing/editcommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QPlainTextEdit>

#include <string_view>

namespace {

struct EditCommand {
    std::string_view name;
    bool (*applies)(const QPlainTextEdit&);
    void (*run)(QPlainTextEdit&);
};

bool Editable(const QPlainTextEdit& area) { return !area.isReadOnly(); }
bool HasSelection(const QPlainTextEdit& area) { return area.textCursor().hasSelection(); }

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

// Each command runs through the widget's own editing calls, so the area's text-changed signal
// tells the framework's text model, and a paste keeps the area's key filter, length limit and
// line rules.
constexpr EditCommand kCommands[] = {
    {"EditUndo", [](const QPlainTextEdit& a) { return Editable(a) && a.document()->isUndoAvailable(); },
     [](QPlainTextEdit& a) { a.undo(); }},
    {"EditCut", [](const QPlainTextEdit& a) { return Editable(a) && HasSelection(a); },
     [](QPlainTextEdit& a) { a.cut(); }},
    {"EditCopy", [](const QPlainTextEdit& a) { return HasSelection(a); }, [](QPlainTextEdit& a) { a.copy(); }},
    {"EditPaste", [](const QPlainTextEdit& a) { return Editable(a) && ClipboardHasText(); },
     [](QPlainTextEdit& a) { a.paste(); }},
    {"EditClear", [](const QPlainTextEdit& a) { return Editable(a) && HasSelection(a); },
     [](QPlainTextEdit& a) {
         QTextCursor cursor = a.textCursor();
         cursor.removeSelectedText();
         a.setTextCursor(cursor);
     }},
    {"EditSelectAll", [](const QPlainTextEdit& a) { return !a.document()->isEmpty(); },
     [](QPlainTextEdit& a) { a.selectAll(); }},
};

const EditCommand* Find(const std::string& itemName)
{
    for (const EditCommand& command : kCommands)
        if (command.name == itemName)
            return &command;
    return nullptr;
}

} // namespace

bool EditCommandApplies(const std::string& itemName, const QPlainTextEdit* area)
{
    const EditCommand* command = Find(itemName);
    return command != nullptr && area != nullptr && command->applies(*area);
}

bool RunEditCommand(const std::string& itemName, QPlainTextEdit* area)
{
    if (!EditCommandApplies(itemName, area))
        return false;
    Find(itemName)->run(*area);
    return true;
}
