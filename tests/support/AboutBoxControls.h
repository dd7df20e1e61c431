#pragma once

#include "shell/TAboutBox.h"
#include "support/NamedControl.h"

#include <QLabel>
#include <QPushButton>

// The about window's controls as the tests reach them: by their object names.
struct AboutBoxControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TAboutBox &m_form;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_form, "about", name);
    }

public:
    explicit AboutBoxControls(const TAboutBox &form) : m_form(form) {}

    QLabel *Image1 = find<QLabel>("Image1");
    QLabel *Label1 = find<QLabel>("Label1");
    QLabel *Label2 = find<QLabel>("Label2");
    QLabel *Label3 = find<QLabel>("Label3");
    QLabel *Label4 = find<QLabel>("Label4");
    QLabel *Label5 = find<QLabel>("Label5");
    QLabel *Label6 = find<QLabel>("Label6");
    QLabel *Label7 = find<QLabel>("Label7");
    QLabel *Label8 = find<QLabel>("Label8");
    QLabel *Label9 = find<QLabel>("Label9");
    QLabel *Label10 = find<QLabel>("Label10");
    QLabel *Label11 = find<QLabel>("Label11");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QPushButton *Button2 = find<QPushButton>("Button2");
};

// The controls of the about window (each call looks them up afresh).
inline AboutBoxControls ui(const TAboutBox &form)
{
    return AboutBoxControls(form);
}
