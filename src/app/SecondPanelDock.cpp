#include "app/SecondPanelDock.h"

#include "fileops/TForm4.h"
#include "platform/EventHook.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QTimer>

namespace quil {

namespace {
constexpr QSize kLeastDockedSize(320, 160);
constexpr int kLetGoPollMs = 100;
} // namespace

SecondPanelDock::SecondPanelDock(QMainWindow &main, TForm4 &panel, QObject *parent)
    : QObject(parent), m_main(main), m_panel(panel), m_dock(new QDockWidget(panel.windowTitle(), &main))
{
    m_dock->setObjectName(QStringLiteral("SecondPanelDock"));
    m_dock->setFeatures(QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetMovable);
    m_dock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    m_dock->hide();
    // Without the animation a drag let go over a side has docked the panel
    // by the time the button is up, so a dock still floating then was let
    // go outside both sides.
    m_main.setDockOptions(m_main.dockOptions() & ~QMainWindow::AnimatedDocks);
    // The float button, a double click on the dock's title, or a drag of the
    // title let go outside both areas: the panel's own window again.
    connect(m_dock, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating && m_place != Place::Window)
            QMetaObject::invokeMethod(this, &SecondPanelDock::ownWindowOnceLetGo, Qt::QueuedConnection);
    });
    // The title dragged to the other side of the list.
    connect(m_dock, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
        if (m_place != Place::Window && !m_dock->isFloating())
            m_place = area == Qt::BottomDockWidgetArea ? Place::Below : Place::Right;
    });
    // The main window's show/hide button shows and hides the panel: docked,
    // the dock with it.
    const auto follow = [this](QEvent *event) {
        if (m_place != Place::Window)
            m_dock->setVisible(event->type() == QEvent::ShowToParent);
        return false;
    };
    new EventHook(&m_panel, QEvent::ShowToParent, follow);
    new EventHook(&m_panel, QEvent::HideToParent, follow);
}

void SecondPanelDock::setPlace(Place place)
{
    if (place == m_place && !m_dock->isFloating())
        return;
    if (place == Place::Window) {
        // Set first: the dock follows the panel's showing only while docked.
        m_place = place;
        toOwnWindow();
        return;
    }
    dockAt(place == Place::Below ? Qt::BottomDockWidgetArea : Qt::RightDockWidgetArea);
    m_place = place;
}

void SecondPanelDock::ownWindowOnceLetGo()
{
    // A drag of the title floats the dock on its way to the other side;
    // where it lands is known once the button is let go.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        QTimer::singleShot(kLetGoPollMs, this, &SecondPanelDock::ownWindowOnceLetGo);
        return;
    }
    if (m_dock->isFloating() && m_place != Place::Window)
        setPlace(Place::Window);
}

void SecondPanelDock::nextPlace()
{
    setPlace(m_place == Place::Window ? Place::Below : m_place == Place::Below ? Place::Right : Place::Window);
    m_panel.showPanel();
}

QRect SecondPanelDock::windowGeometry() const
{
    return m_place == Place::Window ? m_panel.geometry() : m_windowGeometry;
}

QSize SecondPanelDock::size() const
{
    return m_place == Place::Window ? m_panel.size() : m_dock->size();
}

void SecondPanelDock::resizeDock(QSize dockSize)
{
    if (m_place != Place::Window)
        resizeDock(dockSize, m_place == Place::Below ? Qt::BottomDockWidgetArea : Qt::RightDockWidgetArea);
}

void SecondPanelDock::resizeDock(QSize dockSize, Qt::DockWidgetArea area)
{
    if (area == Qt::BottomDockWidgetArea)
        m_main.resizeDocks({m_dock}, {dockSize.height()}, Qt::Vertical);
    else
        m_main.resizeDocks({m_dock}, {dockSize.width()}, Qt::Horizontal);
}

void SecondPanelDock::dockAt(Qt::DockWidgetArea area)
{
    if (m_place == Place::Window)
        m_windowGeometry = m_panel.geometry();
    const bool shown = m_panel.isVisible();
    if (m_dock->widget() != &m_panel)
        m_dock->setWidget(&m_panel); // the panel's window becomes a control of the dock
    m_dock->setFloating(false);
    m_main.addDockWidget(area, m_dock);
    // The panel places its controls by hand: the dock keeps room for them.
    m_panel.setMinimumSize(kLeastDockedSize);
    m_panel.setVisible(shown);
    m_dock->setVisible(shown);
    const QSize size = m_windowGeometry.isValid() ? m_windowGeometry.size() : m_panel.size();
    resizeDock(area == Qt::BottomDockWidgetArea ? QSize(0, size.height()) : QSize(size.width(), 0), area);
}

void SecondPanelDock::toOwnWindow()
{
    const bool shown = m_panel.isVisible();
    m_dock->setWidget(nullptr);
    m_dock->hide();
    m_dock->setFloating(false);
    m_panel.setMinimumSize(0, 0);
    m_panel.setParent(&m_main, Qt::Tool);
    if (m_windowGeometry.isValid())
        m_panel.setGeometry(m_windowGeometry);
    m_panel.setVisible(shown);
}

} // namespace quil
