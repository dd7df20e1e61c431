#include "platform/fileop/FileOperationProgress.h"

#include "platform/TextFormat.h"
#include "platform/fileop/FileOperation.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quil {

namespace {

QString operationText(int operation)
{
    switch (operation) {
    case FO_MOVE:
        return QStringLiteral("Перемещение...");
    case FO_COPY:
        return QStringLiteral("Копирование...");
    case FO_DELETE:
        return QStringLiteral("Удаление...");
    case FO_RENAME:
        return QStringLiteral("Переименование...");
    default:
        break;
    }
    return {};
}

QString number(qint64 value)
{
    return groupThousands(value).trimmed();
}

} // namespace

FileOperationProgress::FileOperationProgress(FileOperation &operation, QWidget *parent)
    : QDialog(parent), m_operation(operation), m_operationLabel(new QLabel(operationText(operation.operation()), this)),
      m_currentLabel(new QLabel(this)), m_bytesLabel(new QLabel(this)), m_itemsLabel(new QLabel(this)),
      m_bar(new QProgressBar(this)), m_cancel(new QPushButton(QStringLiteral("Отмена"), this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(operationText(operation.operation()));
    setMinimumWidth(460);
    m_operationLabel->setObjectName(QStringLiteral("operationLabel"));
    m_currentLabel->setObjectName(QStringLiteral("currentLabel"));
    m_currentLabel->setTextFormat(Qt::PlainText);
    m_currentLabel->setWordWrap(true);
    m_bytesLabel->setObjectName(QStringLiteral("bytesLabel"));
    m_itemsLabel->setObjectName(QStringLiteral("itemsLabel"));
    m_bar->setRange(0, 1000);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_operationLabel);
    layout->addWidget(m_currentLabel);
    layout->addWidget(m_bar);
    layout->addWidget(m_bytesLabel);
    layout->addWidget(m_itemsLabel);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);

    connect(m_cancel, &QPushButton::clicked, this, &FileOperationProgress::cancelOperation);
    connect(m_timer, &QTimer::timeout, this, &FileOperationProgress::refresh);
    m_timer->start(100);
    refresh();
}

void FileOperationProgress::refresh()
{
    const FileOperation::Progress p = m_operation.progress();
    m_currentLabel->setText(p.current);
    m_bytesLabel->setText(
        QStringLiteral("%1 из %2 байт").arg(number(p.bytesDone), number(std::max(p.bytesDone, p.bytesTotal))));
    m_itemsLabel->setText(
        QStringLiteral("%1 из %2 объектов").arg(number(p.itemsDone), number(std::max(p.itemsDone, p.itemsTotal))));
    // Bytes lead where there are any (copies); items otherwise (renames, deletes).
    double part = 0;
    if (p.bytesTotal > 0)
        part = double(p.bytesDone) / double(p.bytesTotal);
    else if (p.itemsTotal > 0)
        part = double(p.itemsDone) / double(p.itemsTotal);
    m_bar->setValue(int(std::clamp(part, 0.0, 1.0) * 1000));
}

void FileOperationProgress::reject()
{
    // Escape or the window's close button: the same as Cancel; the window
    // goes when the operation has stopped.
    cancelOperation();
}

void FileOperationProgress::cancelOperation()
{
    m_operation.cancel();
    m_cancel->setEnabled(false);
    m_operationLabel->setText(QStringLiteral("Отмена..."));
}

} // namespace quil
