#pragma once

#include "fileops/PanelListView.h"
#include "fileops/TForm4.h"
#include "support/NamedControl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The second panel's controls as the tests reach them: by their object names.
struct Form4Controls
{
private:
    // First, so that it is set before the controls are looked up.
    const TForm4 &m_form;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_form, "second panel", name);
    }

public:
    explicit Form4Controls(const TForm4 &form) : m_form(form) {}

    QLineEdit *Edit1 = find<QLineEdit>("Edit1");
    QComboBox *DriveComboBox1 = find<QComboBox>("DriveComboBox1");
    QToolButton *SpeedButton1 = find<QToolButton>("SpeedButton1");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QLabel *Label1 = find<QLabel>("Label1");
    QToolButton *SpeedButton2 = find<QToolButton>("SpeedButton2");
    QToolButton *SpeedButton3 = find<QToolButton>("SpeedButton3");
    QToolButton *SpeedButton4 = find<QToolButton>("SpeedButton4");
    QLabel *Label2 = find<QLabel>("Label2");
    QLabel *Label4 = find<QLabel>("Label4");
    QLabel *Label3 = find<QLabel>("Label3");
    QLabel *Label5 = find<QLabel>("Label5");
    quil::PanelListView *ListView1 = find<quil::PanelListView>("ListView1");
    QLabel *Label6 = find<QLabel>("Label6");
};

// The controls of the second panel (each call looks them up afresh).
inline Form4Controls ui(const TForm4 &form)
{
    return Form4Controls(form);
}
