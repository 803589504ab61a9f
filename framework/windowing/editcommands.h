#pragma once

#include <string>

class QPlainTextEdit;

// The Edit commands that the framework carries out itself on a text area, by the names of their
// menu items: EditUndo, EditCut, EditCopy, EditPaste, EditClear (deletes the selection) and
// EditSelectAll.
//
// Whether the command would do something to the area now: Copy needs a selection, Cut and Delete
// a selection in an editable area, Paste text on the clipboard and an editable area, Undo
// something to undo in an editable area, Select All some text. Never without an area, nor for a
// name that is no Edit command.
bool EditCommandApplies(const std::string& itemName, const QPlainTextEdit* area);

// Carries the command out on the area when it applies; returns whether it did.
bool RunEditCommand(const std::string& itemName, QPlainTextEdit* area);
