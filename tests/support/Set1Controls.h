#pragma once

#include "app/TSet1.h"
#include "support/NamedControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The settings window's controls as the tests reach them: by their object
// names.
struct Set1Controls
{
private:
    // First, so that it is set before the controls are looked up.
    const TSet1 &m_form;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_form, "settings", name);
    }

public:
    explicit Set1Controls(const TSet1 &form) : m_form(form) {}

    QLabel *Label1 = find<QLabel>("Label1");
    QCheckBox *CheckBox1 = find<QCheckBox>("CheckBox1"); // external viewer for texts
    QLineEdit *Edit1 = find<QLineEdit>("Edit1");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QCheckBox *CheckBox2 = find<QCheckBox>("CheckBox2"); // external viewer for pictures
    QLineEdit *Edit2 = find<QLineEdit>("Edit2");
    QPushButton *Button2 = find<QPushButton>("Button2");
    QLabel *Label2 = find<QLabel>("Label2");
    QCheckBox *CheckBox3 = find<QCheckBox>("CheckBox3"); // external editor
    QLineEdit *Edit4 = find<QLineEdit>("Edit4");
    QPushButton *Button4 = find<QPushButton>("Button4");
    QLabel *Label3 = find<QLabel>("Label3");
    QLabel *Label4 = find<QLabel>("Label4");
    QLineEdit *Edit3 = find<QLineEdit>("Edit3");         // the font height
    QPushButton *Button3 = find<QPushButton>("Button3"); // "Вернуться"
};

// The controls of the settings window (each call looks them up afresh).
inline Set1Controls ui(const TSet1 &form)
{
    return Set1Controls(form);
}
