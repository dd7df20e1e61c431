#pragma once

#include "support/NamedControl.h"
#include "viewers/TRF.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

// The file viewer's controls as the tests reach them: by their object names.
struct ViewerControls
{
private:
    // First, so that it is set before the controls are looked up.
    const TRF &m_window;

    template <typename Control> Control *find(const char *name) const
    {
        return namedControl<Control>(m_window, "file viewer", name);
    }

public:
    explicit ViewerControls(const TRF &window) : m_window(window) {}

    QPlainTextEdit *Memo1 = find<QPlainTextEdit>("Memo1");
    QScrollBar *ScrollBar1 = find<QScrollBar>("ScrollBar1");
    QPushButton *Button5 = find<QPushButton>("Button5");
    QToolButton *BitBtn1 = find<QToolButton>("BitBtn1");
    QLabel *Label3 = find<QLabel>("Label3");
    QLabel *Label4 = find<QLabel>("Label4");
    QToolButton *BitBtn2 = find<QToolButton>("BitBtn2");
    QToolButton *BitBtn3 = find<QToolButton>("BitBtn3");
    QPushButton *Button3 = find<QPushButton>("Button3");
    QLineEdit *Edit1 = find<QLineEdit>("Edit1");
};

// The controls of the file viewer (each call looks them up afresh).
inline ViewerControls ui(const TRF &window)
{
    return ViewerControls(window);
}
