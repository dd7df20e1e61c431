#include "shell/PropertiesWindow.h"

#include "fileops/FolderSizeWalk.h"
#include "listing/FolderListing.h"
#include "platform/Dialogs.h"
#include "platform/IdentifiedItem.h"
#include "platform/ItemId.h"
#include "platform/OsError.h"
#include "platform/ShellNamespace.h"
#include "platform/TextFormat.h"
#include "platform/Volumes.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <QCoreApplication>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

QString bytesText(qint64 bytes)
{
    return groupThousands(bytes).trimmed() + QCoreApplication::translate("PropertiesWindow", " байт");
}

QString userName(uid_t uid)
{
    const passwd *entry = ::getpwuid(uid);
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group *entry = ::getgrgid(gid);
    return entry != nullptr ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

// The mode bits of the nine boxes, owner read first.
constexpr std::array<unsigned, 9> permissionBits{S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP,
                                                 S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};

} // namespace

PropertiesWindow::PropertiesWindow(Dialogs &dialogs, const QString &path, Kind kind, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_path(path)
{
    setObjectName(QStringLiteral("PropertiesWindow"));
    setModal(true);
    auto *column = new QVBoxLayout(this);
    m_form = new QFormLayout;
    column->addLayout(m_form);
    if (kind == Kind::Volume)
        fillVolume(path);
    else
        fillItem(path);
    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(m_ok, 0, Qt::AlignRight);
}

PropertiesWindow::~PropertiesWindow()
{
    if (m_walk) {
        m_walk->stop();
        m_walk->waitFinished(std::chrono::hours(1));
    }
}

void PropertiesWindow::addRow(const QString &caption, const QString &value)
{
    auto *label = new QLabel(value, this);
    label->setObjectName(caption);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_form->addRow(caption, label);
    if (caption == QCoreApplication::translate("PropertiesWindow", "Размер:"))
        m_sizeLabel = label;
}

QString PropertiesWindow::value(const QString &caption) const
{
    const auto *label = findChild<QLabel *>(caption);
    return label != nullptr ? label->text() : QString();
}

void PropertiesWindow::fillItem(const QString &path)
{
    struct stat info
    {
    };
    m_item = std::make_unique<IdentifiedItem>(path, info);
    const QFileInfo file(path);
    setWindowTitle(QCoreApplication::translate("PropertiesWindow", "Свойства: ") + file.fileName());
    addRow(QCoreApplication::translate("PropertiesWindow", "Имя:"), file.fileName());
    addRow(QCoreApplication::translate("PropertiesWindow", "Тип:"), ShellNamespace::typeText(ItemId::fromPath(path)));
    addRow(QCoreApplication::translate("PropertiesWindow", "Размещение:"), file.absolutePath());
    addRow(QCoreApplication::translate("PropertiesWindow", "Размер:"), bytesText(info.st_size));
    addRow(QCoreApplication::translate("PropertiesWindow", "Изменён:"), listingDateText(qint64(info.st_mtime) * 1000));
    addRow(QCoreApplication::translate("PropertiesWindow", "Открыт:"), listingDateText(qint64(info.st_atime) * 1000));
    addRow(QCoreApplication::translate("PropertiesWindow", "Владелец:"), userName(info.st_uid));
    addRow(QCoreApplication::translate("PropertiesWindow", "Группа:"), groupName(info.st_gid));
    addPermissions(info.st_mode, info.st_uid == ::geteuid() && !S_ISLNK(info.st_mode));
    if (S_ISDIR(info.st_mode)) {
        m_walk = std::make_unique<FolderSizeWalk>(path);
        m_walkDone = false;
        m_walkTimer = new QTimer(this);
        m_walkTimer->setInterval(50);
        connect(m_walkTimer, &QTimer::timeout, this, &PropertiesWindow::showFolderSize);
        m_walk->start();
        m_walkTimer->start();
        showFolderSize();
    }
}

void PropertiesWindow::showFolderSize()
{
    // Read "finished" before the totals, so the last report is exact.
    const bool finished = m_walk->waitFinished(std::chrono::milliseconds(0));
    m_sizeLabel->setText(bytesText(m_walk->total()) + QCoreApplication::translate("PropertiesWindow", ", файлов: ") +
                         groupThousands(m_walk->files()));
    if (finished) {
        m_walkTimer->stop();
        m_walkDone = true;
    }
}

bool PropertiesWindow::sizeFinished() const
{
    return m_walkDone;
}

void PropertiesWindow::addPermissions(unsigned mode, bool owned)
{
    auto *grid = new QGridLayout;
    const QStringList who{QCoreApplication::translate("PropertiesWindow", "Владелец"),
                          QCoreApplication::translate("PropertiesWindow", "Группа"),
                          QCoreApplication::translate("PropertiesWindow", "Остальные")};
    const QStringList what{QCoreApplication::translate("PropertiesWindow", "чтение"),
                           QCoreApplication::translate("PropertiesWindow", "запись"),
                           QCoreApplication::translate("PropertiesWindow", "выполнение")};
    for (int w = 0; w < 3; ++w) {
        grid->addWidget(new QLabel(who.at(w), this), w, 0);
        for (int p = 0; p < 3; ++p) {
            const int index = w * 3 + p;
            auto *box = new QCheckBox(what.at(p), this);
            box->setObjectName(QStringLiteral("Permission%1").arg(index));
            box->setAccessibleDescription(who.at(w) + QLatin1Char(' ') + what.at(p));
            box->setChecked((mode & permissionBits.at(index)) != 0);
            box->setEnabled(owned);
            connect(box, &QCheckBox::toggled, this, [this, index](bool on) { permissionToggled(index, on); });
            m_permissions.at(index) = box;
            grid->addWidget(box, w, p + 1);
        }
    }
    m_form->addRow(QCoreApplication::translate("PropertiesWindow", "Права:"), grid);
}

void PropertiesWindow::permissionToggled(int index, bool on)
{
    const int code = m_item->changeMode(permissionBits.at(index), on);
    if (code == 0)
        return;
    const OsError error(code);
    QCheckBox *box = m_permissions.at(index);
    const QSignalBlocker quiet(box);
    box->setChecked(!on);
    m_dialogs.errorBox(error.message());
}

QCheckBox *PropertiesWindow::permissionBox(int who, int what) const
{
    return m_permissions.at(who * 3 + what);
}

void PropertiesWindow::fillVolume(const QString &mountPoint)
{
    const std::optional<Volume> volume = Volumes::volumeOf(mountPoint);
    if (!volume)
        throw OsError(ENOENT);
    const VolumeSpace space = Volumes::space(volume->mountPoint);
    setWindowTitle(QCoreApplication::translate("PropertiesWindow", "Свойства: ") + volume->displayName());
    addRow(QCoreApplication::translate("PropertiesWindow", "Имя:"), volume->displayName());
    addRow(QCoreApplication::translate("PropertiesWindow", "Файловая система:"), volume->fileSystem);
    addRow(QCoreApplication::translate("PropertiesWindow", "Устройство:"), volume->device);
    addRow(QCoreApplication::translate("PropertiesWindow", "Ёмкость:"), bytesText(qint64(space.total)));
    addRow(QCoreApplication::translate("PropertiesWindow", "Занято:"), bytesText(qint64(space.total - space.free)));
    addRow(QCoreApplication::translate("PropertiesWindow", "Свободно:"), bytesText(qint64(space.free)));
}

} // namespace quil
