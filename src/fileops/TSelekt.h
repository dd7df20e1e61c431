#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quil {
class MarksController;
struct Services;
} // namespace quil

// The selection-modes window: one of four ways of changing the main list's
// marks, chosen by RadioGroup1 and run by Button1. Shown modally; the mask
// and the mode stay as left until the program ends.
class TSelekt : public QDialog
{
    Q_OBJECT
public:
    explicit TSelekt(quil::Services &services, QWidget *parent = nullptr);

    // The main list's mark commands the window runs.
    void setMarks(quil::MarksController *marks) { m_marks = marks; }

    // The modes, by item of RadioGroup1.
    enum Mode { Selection, SelectionOfMissing, Exclusion, Reversal };
    int ItemIndex() const;
    void setItemIndex(int index);

public Q_SLOTS:
    // Runs the chosen mode and closes the window; an invalid mask is shown in
    // the error box and the window stays open for its correction.
    void Button1Click();

private:
    // Mode 1: false (and the panel shown with a hint) when the second panel
    // is hidden, so there is nothing to compare with yet.
    bool secondPanelReady();

    // The controls, by their designed names; tests find them by object name.
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QGroupBox *RadioGroup1 = nullptr;

    quil::Services &m_services;
    quil::MarksController *m_marks = nullptr;
    QButtonGroup *m_modes = nullptr;
};
