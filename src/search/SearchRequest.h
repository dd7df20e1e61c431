#pragma once

#include <QString>

namespace quil {

// The fields of the search window that one search reads, taken as they stand
// when Start is pressed (editing the fields during a search does not change
// the running search). Defaults are those of the window.
struct SearchRequest
{
    QString rootFolder = QStringLiteral("/"); // Edit1
    bool subfolders = false;                  // CheckBox2 "C подкаталогами"
    QString name = QStringLiteral("*");       // Edit2: name pattern, or "*" plus a fragment
    QString extension = QStringLiteral("*");  // Edit3
    bool withText = false;                    // CheckBox1 "С текстом"
    QString text;                             // Edit5
    bool dos = false;                         // CheckBox3 "DOS": look for the text in CP866
};

} // namespace quil
