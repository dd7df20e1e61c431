#pragma once

#include "fileops/TSelekt.h"
#include "support/NamedControl.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The selection-modes window's controls as the tests reach them: by their
// object names.
struct SelektControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TSelekt &m_form;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_form, "selection-modes", name);
    }

public:
    explicit SelektControls(const TSelekt &form) : m_form(form) {}

    QLabel *Label2 = find<QLabel>("Label2");
    QLabel *Label1 = find<QLabel>("Label1");
    QLineEdit *Edit1 = find<QLineEdit>("Edit1");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QGroupBox *RadioGroup1 = find<QGroupBox>("RadioGroup1");
};

// The controls of the selection-modes window (each call looks them up afresh).
inline SelektControls ui(const TSelekt &form)
{
    return SelektControls(form);
}
