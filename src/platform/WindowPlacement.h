#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

namespace quil {

// The frame moved as little as needed to lie inside the area; a frame larger
// than the area keeps its top-left corner inside it.
QRect keptInside(const QRect &frame, const QRect &area);

// Opens every window of the program inside the available area of its
// screen: a window with a position of its own (stored, or moved by the user)
// keeps it, moved in as little as needed; one without is centred on the main
// window first. Dialogs that place themselves (message boxes, file dialogs)
// are left to Qt, which keeps them on the screen. Installed on the
// application; it sees each window just before it is mapped.
class WindowPlacement : public QObject
{
    Q_OBJECT
public:
    explicit WindowPlacement(QObject *parent = nullptr);

    void setMainWindow(QWidget *window) { m_main = window; }
    // Places a window that is about to be shown.
    void place(QWidget &window) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_main;
};

} // namespace quil
