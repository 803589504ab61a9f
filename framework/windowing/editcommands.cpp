#include "framework/windowing/editcommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <string_view>

namespace {

struct EditCommand {
    std::string_view name;
    bool (*applies)(const QTextEdit&);
    void (*run)(QTextEdit&);
};

bool Editable(const QTextEdit& area) { return !area.isReadOnly(); }
bool HasSelection(const QTextEdit& area) { return area.textCursor().hasSelection(); }

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

// Each command runs through the widget's own editing calls, so the area's text-changed signal
// tells the framework's text model, and a paste keeps the area's length limit and line rules.
constexpr EditCommand kCommands[] = {
    {"EditUndo", [](const QTextEdit& a) { return Editable(a) && a.document()->isUndoAvailable(); },
     [](QTextEdit& a) { a.undo(); }},
    {"EditCut", [](const QTextEdit& a) { return Editable(a) && HasSelection(a); }, [](QTextEdit& a) { a.cut(); }},
    {"EditCopy", [](const QTextEdit& a) { return HasSelection(a); }, [](QTextEdit& a) { a.copy(); }},
    {"EditPaste", [](const QTextEdit& a) { return Editable(a) && ClipboardHasText(); },
     [](QTextEdit& a) { a.paste(); }},
    {"EditClear", [](const QTextEdit& a) { return Editable(a) && HasSelection(a); },
     [](QTextEdit& a) {
         QTextCursor cursor = a.textCursor();
         cursor.removeSelectedText();
         a.setTextCursor(cursor);
     }},
    {"EditSelectAll", [](const QTextEdit& a) { return !a.document()->isEmpty(); },
     [](QTextEdit& a) { a.selectAll(); }},
};

const EditCommand* Find(const std::string& itemName)
{
    for (const EditCommand& command : kCommands)
        if (command.name == itemName)
            return &command;
    return nullptr;
}

} // namespace

bool EditCommandApplies(const std::string& itemName, const QTextEdit* area)
{
    const EditCommand* command = Find(itemName);
    return command != nullptr && area != nullptr && command->applies(*area);
}

bool RunEditCommand(const std::string& itemName, QTextEdit* area)
{
    if (!EditCommandApplies(itemName, area))
        return false;
    Find(itemName)->run(*area);
    return true;
}
