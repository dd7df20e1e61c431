#pragma once

class QWidget;

// Ends the program when its main window closes: closes every other window
// (a progress window's close cancels its operation, a viewer's close stops
// its work) and quits the event loop once no nested loop (a file operation,
// a modal dialog) is still running, so that what runs there finishes first.
void endProgram(QWidget *mainWindow);
