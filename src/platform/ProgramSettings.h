#pragma once

#include <QString>

namespace quil {

struct QuilIniLines;

// What the settings window shows and the commands read: the outside programs
// chosen for texts, pictures and editing, each used only while its box is
// ticked, and the font height of the list and the tree.
struct ProgramSettings
{
    struct Program
    {
        QString path;
        bool used = false;
    };
    Program textViewer;
    Program pictureViewer;
    Program editor;
    int fontHeight = 16;

    // The programs of quil.ini's first three lines: one whose file exists is
    // taken and ticked; any other line leaves its program empty and unticked.
    static ProgramSettings fromQuilIni(const QuilIniLines &lines);
    // Stores the three paths into quil.ini's lines (the fourth is left alone).
    void toQuilIni(QuilIniLines &lines) const;
};

} // namespace quil
