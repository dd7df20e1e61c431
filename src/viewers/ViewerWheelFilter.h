#pragma once

#include <QObject>

class TRF;

namespace quil {

// The application-wide event filter that the entry point installs: while the
// viewer's text area has the focus, mouse-wheel turns anywhere in the program
// move the viewer by one line or one row instead of scrolling as wheels do.
// Every other event passes untouched.
class ViewerWheelFilter : public QObject
{
    Q_OBJECT
public:
    explicit ViewerWheelFilter(TRF &viewer, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TRF &m_viewer;
};

} // namespace quil
