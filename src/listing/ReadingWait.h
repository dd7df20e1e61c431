#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace quil {

class FolderReading;

// Waits for a folder reading while the window stays alive: its events are
// handled (paints, moves, other windows), the status line counts the
// entries read, and Escape stops the reading. Input to the waiting window
// is held back meanwhile, so that nothing acts on a list about to change.
class ReadingWait : public QObject
{
    Q_OBJECT
public:
    ReadingWait(FolderReading &reading, QWidget &window, std::function<void(const QString &)> setStatus);

    // Starts the reading and returns once it has ended, however it ended.
    void run();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FolderReading &m_reading;
    QWidget &m_window;
    std::function<void(const QString &)> m_setStatus;
};

} // namespace quil
