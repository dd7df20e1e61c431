#pragma once

#include "app/TForm1.h"
#include "listing/FolderListView.h"
#include "support/NamedControl.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>

// Shows the main window and waits for its start, which lists the start
// folders once the window is on the screen.
inline bool showStarted(TForm1 &form)
{
    QSignalSpy done(&form, &TForm1::startDone);
    form.show();
    return form.started() || done.wait();
}

// The main window's controls as the tests reach them: by their object names.
struct Form1Controls
{
private:
    // First, so that it is set before the controls are looked up.
    const TForm1 &m_form;

    template <typename Control> Control *find(const char *name) const
    {
        // Inside the window's own area: the second panel, a child window, has
        // controls of the same names.
        return namedControl<Control>(*m_form.centralWidget(), "main", name);
    }

public:
    explicit Form1Controls(const TForm1 &form) : m_form(form) {}

    QFrame *Panel1 = find<QFrame>("Panel1");
    QLabel *Label2 = find<QLabel>("Label2");
    QComboBox *cbPath = find<QComboBox>("cbPath");
    QLabel *Label3 = find<QLabel>("Label3");
    QComboBox *DriveComboBox1 = find<QComboBox>("DriveComboBox1");
    QLabel *Label4 = find<QLabel>("Label4");
    QFrame *Shape1 = find<QFrame>("Shape1");
    QLabel *Label5 = find<QLabel>("Label5");
    QFrame *Shape2 = find<QFrame>("Shape2");
    QLabel *Label6 = find<QLabel>("Label6");
    QLabel *Label7 = find<QLabel>("Label7");
    QLabel *Label9 = find<QLabel>("Label9");
    QPushButton *Button2 = find<QPushButton>("Button2");
    QFrame *Shape3 = find<QFrame>("Shape3");
    QToolButton *SpeedButton1 = find<QToolButton>("SpeedButton1");
    QToolButton *SpeedButton18 = find<QToolButton>("SpeedButton18");
    QToolButton *SpeedButton17 = find<QToolButton>("SpeedButton17");
    QToolButton *SpeedButton16 = find<QToolButton>("SpeedButton16");
    QToolButton *SpeedButton15 = find<QToolButton>("SpeedButton15");
    QToolButton *SpeedButton14 = find<QToolButton>("SpeedButton14");
    QToolButton *SpeedButton13 = find<QToolButton>("SpeedButton13");
    QToolButton *SpeedButton2 = find<QToolButton>("SpeedButton2");
    QLabel *Label1 = find<QLabel>("Label1");
    QToolButton *SpeedButton19 = find<QToolButton>("SpeedButton19");
    QToolButton *SpeedButton20 = find<QToolButton>("SpeedButton20");
    QSplitter *Splitter1 = find<QSplitter>("Splitter1");
    QTreeView *ShellTreeView1 = find<QTreeView>("ShellTreeView1");
    quil::FolderListView *ListView = find<quil::FolderListView>("ListView");
    QFrame *Panel2 = find<QFrame>("Panel2");
    QToolButton *SpeedButton12 = find<QToolButton>("SpeedButton12");
    QToolButton *SpeedButton3 = find<QToolButton>("SpeedButton3");
    QToolButton *SpeedButton4 = find<QToolButton>("SpeedButton4");
    QToolButton *SpeedButton5 = find<QToolButton>("SpeedButton5");
    QToolButton *SpeedButton6 = find<QToolButton>("SpeedButton6");
    QToolButton *SpeedButton7 = find<QToolButton>("SpeedButton7");
    QToolButton *SpeedButton8 = find<QToolButton>("SpeedButton8");
    QToolButton *SpeedButton9 = find<QToolButton>("SpeedButton9");
    QToolButton *SpeedButton10 = find<QToolButton>("SpeedButton10");
    QToolButton *SpeedButton11 = find<QToolButton>("SpeedButton11");
    QFrame *Panel3 = find<QFrame>("Panel3");
    QPushButton *Button1 = find<QPushButton>("Button1");
    QLabel *Label8 = find<QLabel>("Label8");
    QComboBox *ComboBox1 = find<QComboBox>("ComboBox1");
};

// The controls of the main window (each call looks them up afresh).
inline Form1Controls ui(const TForm1 &form)
{
    return Form1Controls(form);
}
