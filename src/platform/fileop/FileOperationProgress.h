#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quil {

class FileOperation;

// The progress window of a running file operation: the operation, the item
// being worked on, bytes and items done of the total, and Cancel. It polls
// the operation ten times a second on the window thread; Cancel (or closing
// the window) asks the operation to stop at its next block.
class FileOperationProgress : public QDialog
{
    Q_OBJECT
public:
    explicit FileOperationProgress(FileOperation &operation, QWidget *parent = nullptr);

    // Re-reads the operation's progress into the labels.
    void refresh();

protected:
    void reject() override;

private:
    void cancelOperation();

    FileOperation &m_operation;
    QLabel *m_operationLabel;
    QLabel *m_currentLabel;
    QLabel *m_bytesLabel;
    QLabel *m_itemsLabel;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer *m_timer;
};

} // namespace quil
