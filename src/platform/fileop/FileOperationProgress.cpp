#include "platform/fileop/FileOperationProgress.h"

#include "platform/LocationUri.h"
#include "platform/TextFormat.h"
#include "platform/fileop/FileOperation.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("FileOperationProgress", "Перемещение...");
    case FO_COPY:
        return QCoreApplication::translate("FileOperationProgress", "Копирование...");
    case FO_DELETE:
        return QCoreApplication::translate("FileOperationProgress", "Удаление...");
    case FO_RENAME:
        return QCoreApplication::translate("FileOperationProgress", "Переименование...");
    case FO_UNDO:
        return QCoreApplication::translate("FileOperationProgress", "Отмена операции...");
    default:
        break;
    }
    return {};
}

QString lastName(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash + 1);
}

// Where the items go; for a delete, where they are taken from.
QString targetText(const FileOperation &operation, const QString &current)
{
    switch (operation.operation()) {
    case FO_COPY:
    case FO_MOVE:
        return QCoreApplication::translate("FileOperationProgress", "В папку: ") + readableLocation(operation.target());
    case FO_DELETE:
        return current.isEmpty()
                   ? QString()
                   : QCoreApplication::translate("FileOperationProgress", "Из папки: ") + folderOf(current);
    case FO_RENAME:
        return QCoreApplication::translate("FileOperationProgress", "Новое имя: ") +
               readableLocation(operation.target());
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
      m_targetLabel(new QLabel(this)), m_currentLabel(new QLabel(this)), m_nameLabel(new QLabel(this)),
      m_speedLabel(new QLabel(this)), m_timeLeftLabel(new QLabel(this)), m_bytesLabel(new QLabel(this)),
      m_itemsLabel(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(QCoreApplication::translate("FileOperationProgress", "Отмена"), this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(operationText(operation.operation()));
    setMinimumWidth(460);
    m_operationLabel->setObjectName(QStringLiteral("operationLabel"));
    m_targetLabel->setObjectName(QStringLiteral("targetLabel"));
    m_targetLabel->setTextFormat(Qt::PlainText);
    m_targetLabel->setWordWrap(true);
    m_nameLabel->setObjectName(QStringLiteral("nameLabel"));
    m_nameLabel->setTextFormat(Qt::PlainText);
    m_speedLabel->setObjectName(QStringLiteral("speedLabel"));
    m_timeLeftLabel->setObjectName(QStringLiteral("timeLeftLabel"));
    m_currentLabel->setObjectName(QStringLiteral("currentLabel"));
    m_currentLabel->setTextFormat(Qt::PlainText);
    m_currentLabel->setWordWrap(true);
    m_bytesLabel->setObjectName(QStringLiteral("bytesLabel"));
    m_itemsLabel->setObjectName(QStringLiteral("itemsLabel"));
    m_bar->setRange(0, 1000);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_operationLabel);
    layout->addWidget(m_targetLabel);
    layout->addWidget(m_nameLabel);
    layout->addWidget(m_currentLabel);
    layout->addWidget(m_bar);
    layout->addWidget(m_bytesLabel);
    layout->addWidget(m_itemsLabel);
    layout->addWidget(m_speedLabel);
    layout->addWidget(m_timeLeftLabel);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);

    connect(m_cancel, &QPushButton::clicked, this, &FileOperationProgress::cancelOperation);
    connect(m_timer, &QTimer::timeout, this, &FileOperationProgress::refresh);
    // A few times a second: often enough to follow, seldom enough to read.
    m_timer->start(250);
    m_elapsed.start();
    m_clock = [this] { return m_elapsed.elapsed(); };
    refresh();
}

void FileOperationProgress::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
    m_rate = TransferRate();
}

void FileOperationProgress::refresh()
{
    const FileOperation::Progress p = m_operation.progress();
    m_currentLabel->setText(p.current);
    m_nameLabel->setText(p.current.isEmpty()
                             ? QString()
                             : QCoreApplication::translate("FileOperationProgress", "Объект: ") + lastName(p.current));
    m_targetLabel->setText(targetText(m_operation, p.current));
    // Bytes measure copies and moves across volumes; items the rest.
    const bool byBytes = p.bytesTotal > 0;
    const qint64 done = byBytes ? p.bytesDone : p.itemsDone;
    const qint64 total = byBytes ? p.bytesTotal : p.itemsTotal;
    if (byBytes != m_rateInBytes) {
        // Items and bytes make no one average: the rate starts afresh.
        m_rate = TransferRate();
        m_rateInBytes = byBytes;
    }
    m_rate.add(m_clock(), done);
    const std::optional<double> speed = m_rate.perSecond();
    const std::optional<qint64> left = m_rate.secondsLeft(total);
    m_speedLabel->setText(QCoreApplication::translate("FileOperationProgress", "Скорость: ") +
                          (speed ? TransferRate::speedText(*speed, byBytes) : QStringLiteral("...")));
    m_timeLeftLabel->setText(QCoreApplication::translate("FileOperationProgress", "Осталось: ") +
                             (left ? TransferRate::durationText(*left) : QStringLiteral("...")));
    m_bytesLabel->setText(QCoreApplication::translate("FileOperationProgress", "%1 из %2 байт")
                              .arg(number(p.bytesDone), number(std::max(p.bytesDone, p.bytesTotal))));
    m_itemsLabel->setText(QCoreApplication::translate("FileOperationProgress", "%1 из %2 объектов")
                              .arg(number(p.itemsDone), number(std::max(p.itemsDone, p.itemsTotal))));
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
    m_operationLabel->setText(QCoreApplication::translate("FileOperationProgress", "Отмена..."));
}

} // namespace quil
