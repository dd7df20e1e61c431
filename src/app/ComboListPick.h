#pragma once

#include <functional>

class QComboBox;

// Runs picked when the user picks a line of an editable combo box: a click or
// Enter in its drop-down list, or the Up and Down keys on the closed box.
// QComboBox also emits activated when its edit loses the focus while its text
// equals a line, which is no pick and must not run a command.
void connectListPick(QComboBox *box, std::function<void()> picked);
