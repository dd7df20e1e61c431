#pragma once

#include <QObject>

class TForm1;

namespace quil {

struct Services;

// The main list's keys that users of this desktop's file managers expect,
// beside the described key map (whose keys they leave alone): Delete and
// Shift+Delete, Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+V, Ctrl+H and Ctrl+T, Ctrl+D,
// Ctrl+B and Ctrl+K. Each runs a command the program has for its buttons or its
// context menu, or the favourite folders'.
class ListShortcutKeys : public QObject
{
    Q_OBJECT
public:
    ListShortcutKeys(TForm1 &form, Services &services, QObject *parent = nullptr);

    // Runs the command of a key pressed in the list; true when the key was
    // one of these (the list must then not see it: its own Ctrl+C would put
    // the row's text on the clipboard).
    bool run(int key, Qt::KeyboardModifiers modifiers);

private:
    // Ctrl+C and Ctrl+X: the marked entries, or the current row's, on the
    // clipboard as the context menu's "Копировать" and "Вырезать" put them.
    void putOnClipboard(bool cut);
    // Ctrl+V: the context menu's "Вставить" into the listed folder.
    void paste();
    // Ctrl+H: hidden entries listed or not; the current row stays current.
    void toggleHiddenEntries();
    // Ctrl+T: the desktop's terminal, started in the listed folder.
    void openTerminal();
    // Ctrl+B: the favourite folders' menu at the current row; the one picked listed.
    void jumpToFavourite();

    TForm1 &m_form;
    Services &m_services;
};

} // namespace quil
