#pragma once

#include <QString>

namespace quil {

class MainList;
struct Services;

// Ctrl+Z in the main list and "Отменить …" of the context menu: the newest
// operation of the undo journal is undone after a Yes/No question, through
// the file operation with its progress window; then the list and the second
// panel are read again.
class UndoCommand
{
public:
    UndoCommand(MainList &list, Services &services) : m_list(list), m_services(services) {}

    // Does nothing (a beep) when there is nothing to undo.
    void run();

    // The menu item's text: "Отменить " and the newest operation with its
    // count, or "Отменить" alone when there is none.
    static QString menuText();
    static bool canUndo();

private:
    MainList &m_list;
    Services &m_services;
};

} // namespace quil
