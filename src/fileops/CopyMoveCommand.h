#pragma once

#include "platform/FolderPath.h"

#include <QObject>

#include <optional>

namespace quil {

class MainList;
struct CommandSources;
struct Services;

// Copy (SpeedButton6, F5) and move (SpeedButton7, F6) of the marked entries,
// or the current row's, into the second panel's folder: one source may take
// a new name, several are confirmed; then the marks cleared and what changed
// listed again.
class CopyMoveCommand : public QObject
{
    Q_OBJECT
public:
    CopyMoveCommand(MainList &list, Services &services, QObject *parent = nullptr);

    void copy();
    void move();
    // Files dropped onto a folder: copied, or moved, after the same question
    // as copy's or move's naming that folder; then the main list, the panel
    // and (after a move) the tree listed again. The main list's marks are
    // cleared when they were what was dragged.
    void dropFiles(const CommandSources &sources, const FolderPath &folder, bool move);

private:
    // The texts and rules in which copy and move differ.
    struct Kind;
    static Kind copyKind();
    static Kind moveKind();
    static QString copyText(const CommandSources &sources, const FolderPath &folder);
    static QString moveText(const CommandSources &sources, const FolderPath &folder);
    // Runs one command through its steps; false when it stopped at the question.
    bool transfer(const Kind &kind, const CommandSources &sources, const FolderPath &folder, const QString &text);

    MainList &m_list;
    Services &m_services;
};

} // namespace quil
