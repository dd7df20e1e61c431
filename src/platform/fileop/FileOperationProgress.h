#pragma once

#include "platform/fileop/TransferRate.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quil {

class FileOperation;

// The progress window of a running file operation: the operation, the
// target folder (or the folder deleted from), the item being worked on and
// its name, bytes and items done of the total, the speed as a moving average
// and the time left, and Cancel. It polls the operation four times a second
// on the window thread; Cancel (or closing the window) asks the operation to
// stop at its next block.
class FileOperationProgress : public QDialog
{
    Q_OBJECT
public:
    explicit FileOperationProgress(FileOperation &operation, QWidget *parent = nullptr);

    // Re-reads the operation's progress into the labels.
    void refresh();
    // The clock of the speed, in milliseconds (tests step it by hand).
    void setClock(std::function<qint64()> clock);

protected:
    void reject() override;

private:
    void cancelOperation();

    FileOperation &m_operation;
    QLabel *m_operationLabel;
    QLabel *m_targetLabel;
    QLabel *m_currentLabel;
    QLabel *m_nameLabel;
    QLabel *m_speedLabel;
    QLabel *m_timeLeftLabel;
    QLabel *m_bytesLabel;
    QLabel *m_itemsLabel;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer *m_timer;
    QElapsedTimer m_elapsed;
    std::function<qint64()> m_clock;
    TransferRate m_rate;
    bool m_rateInBytes = false; // the unit m_rate counts
};

} // namespace quil
