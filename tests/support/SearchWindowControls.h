#pragma once

#include "search/TFILESCH.h"
#include "support/NamedControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

// The search window's controls as the tests reach them: by their object names.
struct SearchWindowControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TFILESCH &m_window;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_window, "search", name);
    }

public:
    explicit SearchWindowControls(const TFILESCH &window) : m_window(window) {}

    QCheckBox *CheckBox2 = find<QCheckBox>("CheckBox2");
    QToolButton *SpeedButton2 = find<QToolButton>("SpeedButton2");
    QLineEdit *Edit1 = find<QLineEdit>("Edit1");
    QLineEdit *Edit2 = find<QLineEdit>("Edit2");
    QLineEdit *Edit3 = find<QLineEdit>("Edit3");
    QCheckBox *CheckBox1 = find<QCheckBox>("CheckBox1");
    QCheckBox *CheckBox3 = find<QCheckBox>("CheckBox3");
    QLineEdit *Edit5 = find<QLineEdit>("Edit5");
    QPushButton *Button2 = find<QPushButton>("Button2");
    QLabel *Label10 = find<QLabel>("Label10");
    QLabel *Label6 = find<QLabel>("Label6");
    QCheckBox *CheckBox4 = find<QCheckBox>("CheckBox4");
    QPushButton *Button3 = find<QPushButton>("Button3");
    QLabel *Label9 = find<QLabel>("Label9");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QPushButton *Button4 = find<QPushButton>("Button4");
    QPushButton *Button7 = find<QPushButton>("Button7");
    QToolButton *SpeedButton1 = find<QToolButton>("SpeedButton1");
    QListWidget *ListBox1 = find<QListWidget>("ListBox1");
};

// The controls of the search window (each call looks them up afresh).
inline SearchWindowControls ui(const TFILESCH &window)
{
    return SearchWindowControls(window);
}
