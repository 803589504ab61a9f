#pragma once

#include <optional>
#include <string>

class QKeyEvent;

// The key as the program sees it: the text a person's key press makes, or, for the keys that
// make no text, a control character (Return 13, Enter 3, Tab 9, Backspace 8, Escape 27, the
// arrows 28 to 31, forward Delete 127, Home 1, End 4, Page Up 11, Page Down 12).
// nullopt for what is no key of the program's: a modifier pressed alone, a combination with
// Ctrl or Meta (those are menu shortcuts), a function key.
std::optional<std::string> KeyText(const QKeyEvent& event);
