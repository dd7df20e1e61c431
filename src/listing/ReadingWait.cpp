#include "listing/ReadingWait.h"

#include "listing/FolderReading.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLocale>
#include <QWidget>

namespace quil {

ReadingWait::ReadingWait(FolderReading &reading, QWidget &window, std::function<void(const QString &)> setStatus)
    : m_reading(reading), m_window(window), m_setStatus(std::move(setStatus))
{}

void ReadingWait::run()
{
    QEventLoop loop;
    connect(&m_reading, &FolderReading::finished, &loop, &QEventLoop::quit);
    connect(&m_reading, &FolderReading::failed, &loop, &QEventLoop::quit);
    connect(&m_reading, &FolderReading::cancelled, &loop, &QEventLoop::quit);
    connect(&m_reading, &FolderReading::progress, this,
            [this](long long entries) { m_setStatus(tr("Чтение папки: %1").arg(QLocale().toString(entries))); });
    qApp->installEventFilter(this);
    m_reading.start();
    if (!m_reading.ended())
        loop.exec();
    qApp->removeEventFilter(this);
    // The program ending while it waits leaves the loop early.
    m_reading.cancel();
}

bool ReadingWait::eventFilter(QObject *watched, QEvent *event)
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (widget == nullptr || widget->window() != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress)
            m_reading.cancel();
        event->accept();
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace quil
