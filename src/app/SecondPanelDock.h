#pragma once

#include <QObject>
#include <QRect>

class QDockWidget;
class QMainWindow;
class TForm4;

namespace quil {

// The second panel docked into the main window, below the list or to its
// right, or in its own window as designed (the default). Ctrl+K (in either
// list) goes round: own window, below, right, own window; the dock's title
// dragged moves it to the other side, and its float button (or the title let
// go outside both sides) gives the panel its own window back.
class SecondPanelDock : public QObject
{
    Q_OBJECT
public:
    enum class Place { Window = 0, Below = 1, Right = 2 };

    SecondPanelDock(QMainWindow &main, TForm4 &panel, QObject *parent = nullptr);

    Place place() const { return m_place; }
    void setPlace(Place place);
    // Ctrl+K: the next place.
    void nextPlace();
    // The panel's own window's place and size (kept while docked).
    QRect windowGeometry() const;
    // The dock's size while docked; the panel's window's otherwise.
    QSize size() const;
    // Gives the dock its kept size (its height below, its width to the right).
    void resizeDock(QSize dockSize);

private:
    void dockAt(Qt::DockWidgetArea area);
    void resizeDock(QSize dockSize, Qt::DockWidgetArea area);
    void toOwnWindow();
    void ownWindowOnceLetGo();

    QMainWindow &m_main;
    TForm4 &m_panel;
    QDockWidget *m_dock = nullptr;
    Place m_place = Place::Window;
    QRect m_windowGeometry;
};

} // namespace quil
