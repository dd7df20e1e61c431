#pragma once

class QWidget;

namespace quil {

// Names the controls of the window for screen readers. A control that shows a
// text (a label, a button with a caption, a check box) is read by that text,
// as it changes, and its hint becomes its description; a control without a
// text of its own (an icon button) takes its hint as name and description.
void nameControls(QWidget &window);

} // namespace quil
