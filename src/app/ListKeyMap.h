#pragma once

#include <QObject>

class TForm1;

namespace quil {

class ListShortcutKeys;
struct Services;

// The main list's keyboard commands: each key runs the command of its row of
// the key map, then the status line says "Жду команды...". The key itself
// still reaches the list (arrows, the prefix search), except Tab when it
// moves the focus to the second panel and the desktop's keys of
// ListShortcutKeys. While a name is edited in place the keys belong to the
// editor: none runs a command or reaches the list.
class ListKeyMap : public QObject
{
    Q_OBJECT
public:
    ListKeyMap(TForm1 &form, Services &services);

    // Runs the command of a key pressed in the list; true when the list must
    // not see the key.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);

private:
    // Runs the command; false for Shift+F4, which leaves the status line alone.
    bool runCommand(int key, Qt::KeyboardModifiers modifiers, bool &consumed);
    bool runFunctionKey(int key, Qt::KeyboardModifiers modifiers);
    void markAndMoveOn();
    void appendQuotedPath();
    void maskCommand(bool select);

    TForm1 &m_form;
    Services &m_services;
    // The keys of this desktop's file managers beside the described ones.
    ListShortcutKeys *m_shortcuts;
};

} // namespace quil
