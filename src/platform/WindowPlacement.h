#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>

class QWidget;

namespace quil {

// The frame moved as little as needed to lie inside the area; a frame larger
// than the area keeps its top-left corner inside it.
QRect keptInside(const QRect &frame, const QRect &area);

// Where a frame of this size lies inside the area without covering the main
// window's frame: below it, else right of it, else left, else above; none
// when the area has no such room.
std::optional<QRect> besideFrame(const QSize &frame, const QRect &main, const QRect &area);

// Opens every window of the program inside the available area of its
// screen: a window with a position of its own (stored, or moved by the user)
// keeps it, moved in as little as needed; one without is centred on the main
// window first, or, for a window kept beside the main window, put where it
// covers none of it. Dialogs that place themselves (message boxes, file
// dialogs) are left to Qt, which keeps them on the screen. A window larger
// than the area (a large scale factor) is first made as small as the area,
// or as its least size. Installed on the application; it sees each window just
// before it is mapped.
class WindowPlacement : public QObject
{
    Q_OBJECT
public:
    explicit WindowPlacement(QObject *parent = nullptr);

    void setMainWindow(QWidget *window) { m_main = window; }
    // A window that opens beside the main window when it has no position of
    // its own; where there is no room beside, at the place of its design.
    void keepBesideMainWindow(QWidget *window) { m_beside = window; }
    // Places a window that is about to be shown.
    void place(QWidget &window) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_main;
    QPointer<QWidget> m_beside;
};

} // namespace quil
