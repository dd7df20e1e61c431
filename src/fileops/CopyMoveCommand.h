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

private:
    // The texts and rules in which copy and move differ.
    struct Kind;
    // Runs one command through its steps; false when it stopped at the question.
    bool transfer(const Kind &kind, const CommandSources &sources, const FolderPath &folder, const QString &text);

    MainList &m_list;
    Services &m_services;
};

} // namespace quil
