// The main window's marks: the mark commands, the selection summary, the
// folder-size workers and the selection-modes window; the work is the
// file-operation subsystem's MarksController.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "fileops/MarksController.h"
#include "fileops/TSelekt.h"

#include <QToolButton>

void TForm1::setUpMarks()
{
    m_marks = new quil::MarksController(*this, this);
    connect(SpeedButton20, &QToolButton::clicked, this, &TForm1::SpeedButton20Click);
}

void TForm1::ShowSelectionSummary()
{
    m_marks->ShowSelectionSummary();
}

void TForm1::ToggleCurrentMark()
{
    m_marks->ToggleCurrentMark();
}

void TForm1::SelectByMask(const QString &mask)
{
    m_marks->SelectByMask(mask);
}

void TForm1::UnselectByMask(const QString &mask)
{
    m_marks->UnselectByMask(mask);
}

void TForm1::SelectMissing(const QString &mask)
{
    m_marks->SelectMissing(mask);
}

void TForm1::InvertSelection()
{
    m_marks->InvertSelection();
}

void TForm1::SpeedButton20Click()
{
    if (m_windows != nullptr)
        m_windows->Selekt->exec();
}
