#include "fileops/TForm4.h"

#include "fileops/PanelFolder.h"
#include "fileops/PanelFollower.h"
#include "fileops/PanelListModel.h"
#include "fileops/PanelListView.h"
#include "fileops/PanelReading.h"
#include "fileops/RenameCommand.h"
#include "listing/PathText.h"
#include "platform/ChangeHold.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/EventHook.h"
#include "platform/ItemId.h"
#include "platform/LocationUri.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ReadableColour.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/TextFormat.h"
#include "platform/Volumes.h"
#include "platform/WindowFont.h"
#include "platform/gio/GioLocation.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kTitle = QStringLiteral("QUIL");
constexpr int kTableColumnWidth = 250;
constexpr QSize kSmallIcon(16, 16);
constexpr QSize kLargeIcon(32, 32);
// The list view's rows at most this wide: a longer name is cut short.
constexpr int kWidestListRow = 400;
constexpr int kIconRowWidth = 100;

template <typename Widget> Widget *placed(Widget *widget, const char *name, int x, int y, int w, int h)
{
    widget->setObjectName(QLatin1String(name));
    widget->setFont(quil::arialBold(13));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y, int pixels = 13)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(QLatin1String(name));
    result->setFont(quil::arialBold(pixels));
    result->move(x, y);
    result->adjustSize();
    return result;
}

QToolButton *textButton(QWidget *parent, const char *name, const QString &text, int x, int y, int w, int h)
{
    auto *button = placed(new QToolButton(parent), name, x, y, w, h);
    button->setText(text);
    return button;
}

// The modification time in the locale's short date and time, to the minute.
QString minuteText(const struct stat &info)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec).toLocalTime();
    const QLocale locale = QLocale::system();
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), QStringLiteral("HH:mm"));
}

} // namespace

TForm4::TForm4(quil::Services &services, QWidget *parent)
    : QWidget(parent), m_services(services), m_changes(new quil::ChangeHold(this))
{
    setObjectName(QStringLiteral("Form4"));
    // A tool window of the main window: the window manager keeps it above
    // the main window, while the program's other windows, its dialogs and
    // other programs' windows can still come above it.
    setWindowFlags(Qt::Tool);
    setWindowTitle(QCoreApplication::translate("TForm4", "Выбери нужную папку"));
    setFont(quil::arialBold(13));
    setGeometry(294, 513, 670, 220);
    // The design's place is no place of its own: the window opens beside the
    // main window when the screen has room there.
    setAttribute(Qt::WA_Moved, false);

    Edit1 = placed(new QLineEdit(QStringLiteral("/"), this), "Edit1", 8, 4, 649, 24);
    Edit1->setAccessibleName(QCoreApplication::translate("TForm4", "Папка"));
    DriveComboBox1 = placed(new QComboBox(this), "DriveComboBox1", 8, 32, 97, 22);
    DriveComboBox1->setAccessibleName(QCoreApplication::translate("TForm4", "Диск"));
    SpeedButton1 = placed(new QToolButton(this), "SpeedButton1", 112, 32, 23, 24);
    quil::setReadableIcon(SpeedButton1, style()->standardIcon(QStyle::SP_FileDialogToParent));
    SpeedButton1->setAccessibleName(QCoreApplication::translate("TForm4", "Вверх"));
    Button1 = placed(new QPushButton(QStringLiteral("New"), this), "Button1", 145, 34, 38, 22);
    Button1->setToolTip(QCoreApplication::translate("TForm4", "Создать (Create)"));
    Label1 = label(this, "Label1", QCoreApplication::translate("TForm4", "В виде:"), 200, 36);
    SpeedButton2 = textButton(this, "SpeedButton2", QCoreApplication::translate("TForm4", "Значки"), 256, 34, 57, 22);
    SpeedButton3 = textButton(this, "SpeedButton3", QCoreApplication::translate("TForm4", "Табл."), 320, 34, 49, 22);
    SpeedButton4 = textButton(this, "SpeedButton4", QCoreApplication::translate("TForm4", "Список"), 376, 34, 57, 22);
    Label2 = label(this, "Label2", QCoreApplication::translate("TForm4", "Папок:"), 443, 36);
    Label4 = label(this, "Label4", QStringLiteral("0"), 499, 35, 16);
    Label3 = label(this, "Label3", QCoreApplication::translate("TForm4", "Файлов"), 547, 36);
    Label5 = label(this, "Label5", QStringLiteral("0"), 608, 35, 16);
    m_rows = new quil::PanelListModel(m_folders, m_files, this);
    ListView1 = placed(new quil::PanelListView(*m_rows, this), "ListView1", 8, 62, 649, 94);
    ListView1->setAccessibleName(QCoreApplication::translate("TForm4", "Содержимое папки"));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::SelectedClicked);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label6 = placed(new QLabel(this), "Label6", 8, 163, 649, 20);
    Label6->setAccessibleDescription(QCoreApplication::translate("TForm4", "Сведения"));

    connect(DriveComboBox1, &QComboBox::activated, this, &TForm4::DriveComboBox1Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm4::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm4::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm4::SpeedButton4Click);
    connect(ListView1, &QListView::clicked, this, &TForm4::ListView1Click);
    connect(ListView1, &QListView::doubleClicked, this, &TForm4::ListView1DblClick);
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentChanged, this, &TForm4::ListView1Change);
    ListView1->setEdited([this](const QString &oldName, const QString &newName) {
        // Queued, out of the editor's commit: its message box would take the
        // focus from the editor still committing, which then commits (and
        // renames) a second time inside the first, and the list deletes the
        // editor under both.
        QMetaObject::invokeMethod(
            this, [this, folder = m_editFolder, oldName, newName] { ListView1Edited(folder, oldName, newName); },
            Qt::QueuedConnection);
    });
    // The panel is not listed again under its open editor.
    ListView1->setEditorOpened([this](QWidget *editor) {
        m_editFolder = SecondPanelPath;
        m_changes->holdUntilDestroyed(*editor);
    });
    new quil::EventHook(ListView1, QEvent::KeyPress, [this](QEvent *event) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return ListView1KeyDown(key->key(), key->modifiers());
    });
    new quil::EventHook(Edit1, QEvent::KeyPress,
                        [this](QEvent *event) { return Edit1KeyDown(static_cast<QKeyEvent *>(event)->key()); });
    // Leaving the box without Enter drops what was typed: the box names the
    // folder that copy and move go to. Not for the box's own menu.
    m_pathBoxLeft = new quil::EventHook(Edit1, QEvent::FocusOut, [this](QEvent *event) {
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason && !m_reportingTypedPath)
            Edit1->setText(SecondPanelPath.withTrailingSlash());
        return false;
    });
    const quil::FollowedPanel followed{
        *ListView1,
        *m_rows,
        [this] { return SecondPanelPath; },
        [this]() -> quil::ChangeHold & { return *m_changes; },
        [this](const quil::FolderPath &folder) {
            SecondPanelPath = folder;
            ListSecondPanel(SecondPanelPath);
        },
        [this](std::function<void()> step) { whenListed(std::move(step)); },
        [this] { return isReading(); },
        [this] { showCounts(m_folders.size(), m_files.size()); },
        [this](const QString &text) { Label6->setText(text); },
    };
    m_follower = new quil::PanelFollower(followed, this);
    FormCreate();
}

TForm4::~TForm4()
{
    delete m_pathBoxLeft;
}

void TForm4::FormCreate()
{
    SpeedButton2Click();
    // The first folder: the root of the process's current folder's volume.
    const QList<quil::Volume> volumes = quil::Volumes::list();
    const auto own = quil::Volumes::volumeOf(QDir::currentPath(), volumes);
    fillDrives(volumes, own ? own->mountPoint : QString());
    DriveComboBox1Change();
}

void TForm4::fillDrives(const QList<quil::Volume> &volumes, const QString &kept)
{
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->clear();
    for (const quil::Volume &volume : volumes)
        DriveComboBox1->addItem(volume.displayName(), volume.mountPoint);
    const int index = DriveComboBox1->findData(kept);
    DriveComboBox1->setCurrentIndex(index >= 0 ? index : 0);
}

void TForm4::rebuildDriveList(const QList<quil::Volume> &volumes)
{
    fillDrives(volumes, DriveComboBox1->currentData().toString());
    DriveComboBox1Change();
}

QStringList TForm4::rowNames() const
{
    QStringList names;
    names.reserve(m_rows->rowCount());
    for (int row = 0; row < m_rows->rowCount(); ++row)
        names.append(m_rows->caption(row));
    return names;
}

QAbstractItemView *TForm4::listView() const
{
    return ListView1;
}

void TForm4::focusList()
{
    // A focus inside a window that is not active would leave the keys with
    // the main window.
    raise();
    activateWindow();
    ListView1->setFocus();
}

void TForm4::showPanel()
{
    show();
    raise();
    if (shownChanged)
        shownChanged(true);
}

void TForm4::showCounts(qsizetype folders, qsizetype files)
{
    Label4->setText(QString::number(folders));
    Label4->adjustSize();
    Label5->setText(QString::number(files));
    Label5->adjustSize();
}

void TForm4::ListSecondPanel(const quil::FolderPath &path)
{
    // A reading still going is for a folder no longer wanted.
    m_reading.reset();
    m_whenListed = nullptr;
    m_rows->clear();
    showCounts(0, 0);
    Edit1->setText(path.withTrailingSlash());
    // Watched from before the reading, so that no change made meanwhile is missed.
    m_follower->follow(path);
    auto reading = std::make_unique<quil::PanelReading>(path, &m_mountQuestions);
    if (reading->start()) {
        m_rows->replace(reading->take());
        showListing();
        return;
    }
    connect(reading.get(), &quil::PanelReading::progress, this, &TForm4::showCounts);
    connect(reading.get(), &quil::PanelReading::failed, this, &TForm4::readingFailed);
    connect(reading.get(), &quil::PanelReading::finished, this, [this] {
        m_rows->replace(m_reading->take());
        // Deleted later: this runs in its own signal.
        m_reading.release()->deleteLater();
        showListing();
    });
    m_reading = std::move(reading);
}

void TForm4::showListing()
{
    m_listedPath = SecondPanelPath;
    showCounts(m_folders.size(), m_files.size());
    Q_EMIT listed();
    m_follower->caughtUp();
    if (auto step = std::exchange(m_whenListed, nullptr))
        step();
}

void TForm4::readingFailed(const QString &message)
{
    // Deleted later: this runs in its own signal.
    m_reading.release()->deleteLater();
    m_whenListed = nullptr;
    quil::showErrorBox(m_services.dialogs, quil::QuilError(message));
    SecondPanelPath = m_listedPath.isEmpty() ? quil::FolderPath::root() : m_listedPath;
    ListSecondPanel(SecondPanelPath);
}

void TForm4::whenListed(std::function<void()> step)
{
    if (isReading())
        m_whenListed = std::move(step);
    else
        step();
}

void TForm4::DriveComboBox1Change()
{
    const QString root = DriveComboBox1->currentData().toString();
    if (root.isEmpty())
        return;
    SecondPanelPath = quil::FolderPath(root);
    ListSecondPanel(SecondPanelPath);
}

TForm4::View TForm4::view() const
{
    if (ListView1->viewMode() == QListView::IconMode)
        return View::Icons;
    return ListView1->isWrapping() ? View::List : View::Table;
}

void TForm4::showView(View view)
{
    switch (view) {
    case View::Icons:
        SpeedButton2Click();
        break;
    case View::Table:
        SpeedButton3Click();
        break;
    case View::List:
        SpeedButton4Click();
        break;
    }
}

void TForm4::showKeptFolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    const QList<quil::Volume> volumes = quil::Volumes::list();
    const auto volume = quil::Volumes::volumeOf(folder, volumes);
    fillDrives(volumes, volume ? volume->mountPoint : QString());
    SecondPanelPath = quil::FolderPath(folder);
    ListSecondPanel(SecondPanelPath);
}

void TForm4::selectRowNamed(const QString &name, bool lastMatch)
{
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        if (m_rows->caption(row) != name)
            continue;
        ListView1->setCurrentRow(row);
        ListView1->scrollTo(m_rows->index(row),
                            lastMatch ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
        if (!lastMatch)
            return;
    }
}

void TForm4::leaveLocationFolder()
{
    const QString uri = SecondPanelPath.withTrailingSlash();
    const QString parent = quil::gioParentLocation(uri);
    if (!parent.isEmpty()) {
        const QString name = quil::gioLocationName(uri);
        SecondPanelPath = quil::FolderPath(parent);
        ListSecondPanel(SecondPanelPath);
        whenListed([this, name] { selectRowNamed(name, true); });
        return;
    }
    // The top of a network location has nothing above it here.
    const QByteArray archive = quil::archiveOfLocation(uri);
    if (archive.isEmpty())
        return;
    const quil::FolderPath archivePath(quil::fromNative(archive));
    SecondPanelPath = archivePath.parent();
    ListSecondPanel(SecondPanelPath);
    whenListed([this, name = archivePath.lastName()] { selectRowNamed(name, true); });
}

void TForm4::SpeedButton1Click()
{
    if (!SecondPanelPath.isLocal()) {
        leaveLocationFolder();
        return;
    }
    const QString name = quil::LastFolderName(Edit1->text());
    SecondPanelPath = SecondPanelPath.parent();
    ListSecondPanel(SecondPanelPath);
    whenListed([this, name] { selectRowNamed(name, true); });
}

void TForm4::Button1Click()
{
    const quil::ChangeHold::Scope held(*m_changes);
    const quil::FolderPath folder = SecondPanelPath;
    const std::optional<QString> name =
        m_services.dialogs.inputBox(QCoreApplication::translate("TForm4", "Создание новой папки"),
                                    QCoreApplication::translate("TForm4", "Введи название"), QString());
    if (!name || name->isEmpty())
        return;
    const QString created = quil::createdFolderName(*name);
    if (!quil::createOneFolder(folder, created)) {
        m_services.dialogs.message(QCoreApplication::translate("TForm4", "Ошибка при создании папки - ") +
                                       folder.withTrailingSlash(),
                                   kTitle, quil::Dialogs::Icon::None);
        return;
    }
    ListSecondPanel(folder);
    focusList();
    whenListed([this, created] { selectRowNamed(created, false); });
}

bool TForm4::Edit1KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const quil::ChangeHold::Scope held(*m_changes);
    const QString typed = quil::expandHome(Edit1->text(), QDir::homePath());
    m_reportingTypedPath = true;
    quil::runHandler(m_services.dialogs, [this, &typed] { listTypedFolder(typed); });
    m_reportingTypedPath = false;
    return true;
}

void TForm4::listTypedFolder(const QString &typed)
{
    if (quil::isGioLocation(typed)) {
        SecondPanelPath = quil::FolderPath(typed);
        ListSecondPanel(SecondPanelPath);
        return;
    }
    const quil::ItemId folder = quil::ShellNamespace::parse(typed);
    // The panel lists folders of the file system only (not the computer folder).
    if (!folder.isFileSystem())
        throw quil::OsError(ENOENT);
    if (!quil::directoryExists(folder.path()))
        throw quil::OsError(ENOTDIR);
    SecondPanelPath = quil::FolderPath(folder.path());
    ListSecondPanel(SecondPanelPath);
}

void TForm4::SpeedButton2Click()
{
    ListView1->showNameHeader(false, kTableColumnWidth);
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(kLargeIcon);
    ListView1->setGridSize(QSize());
    ListView1->setWrapping(true);
    ListView1->setWidestRow(kIconRowWidth);
}

void TForm4::SpeedButton3Click()
{
    // One column "Name", 250 pixels wide; a row as high as its small icon or
    // its text, so that no icon reaches into the next row.
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setIconSize(kSmallIcon);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(false);
    ListView1->setGridSize(
        QSize(kTableColumnWidth, std::max(kSmallIcon.height(), ListView1->fontMetrics().height()) + 4));
    ListView1->showNameHeader(true, kTableColumnWidth);
    ListView1->setWidestRow(kTableColumnWidth);
}

void TForm4::SpeedButton4Click()
{
    ListView1->showNameHeader(false, kTableColumnWidth);
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setIconSize(kSmallIcon);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setGridSize(QSize());
    ListView1->setWidestRow(kWidestListRow);
}

void TForm4::ListView1Click()
{
    // A location's details are not asked for a click.
    if (!ListView1->isCurrentSelected() || !SecondPanelPath.isLocal())
        return;
    const QString name = ListView1->currentCaption();
    struct stat info
    {
    };
    if (::stat(quil::toNative(SecondPanelPath.filePath(name)).constData(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode)) {
        Label6->setText(QCoreApplication::translate("TForm4", "Папка: ") + name + QStringLiteral(" - ") +
                        minuteText(info));
        return;
    }
    Label6->setText(QCoreApplication::translate("TForm4", "Файл: ") + name + QStringLiteral(" - ") + minuteText(info) +
                    QStringLiteral("  - ") + quil::groupThousands(qint64(info.st_size)) + QStringLiteral(" byte"));
}

void TForm4::ListView1Change()
{
    Label6->clear();
    if (ListView1->hasFocus())
        ListView1Click();
}

void TForm4::ListView1DblClick()
{
    const int row = ListView1->currentRow();
    if (row < 0)
        return;
    if (!SecondPanelPath.isLocal()) {
        if (m_rows->isFolder(row)) {
            SecondPanelPath = quil::FolderPath(m_rows->path(row));
            ListSecondPanel(SecondPanelPath);
        }
        return;
    }
    const QString path = SecondPanelPath.filePath(ListView1->currentCaption());
    struct stat info
    {
    };
    if (::stat(quil::toNative(path).constData(), &info) != 0)
        return;
    // An archive opens as a folder, as in the main list.
    if (S_ISREG(info.st_mode) && quil::isArchiveName(path)) {
        SecondPanelPath = quil::FolderPath(quil::archiveLocation(quil::toNative(path)));
        ListSecondPanel(SecondPanelPath);
        return;
    }
    if (!S_ISDIR(info.st_mode))
        return;
    SecondPanelPath = quil::FolderPath(path);
    ListSecondPanel(SecondPanelPath);
}

bool TForm4::ListView1KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Keys the name editor leaves alone come up to the list; while a name is
    // edited they open, go up or move nothing.
    if (ListView1->isEditingName())
        return true;
    switch (key) {
    case Qt::Key_Backspace:
        SpeedButton1Click();
        return true;
    case Qt::Key_F2:
        // The current row is the selected one: with none selected, F2 does nothing.
        if (ListView1->isCurrentSelected())
            ListView1->edit(ListView1->currentIndex());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ListView1DblClick();
        return true;
    case Qt::Key_Tab:
        // Back to the main list, as Tab there comes here.
        if (!focusMainList)
            return false;
        focusMainList();
        return true;
    case Qt::Key_K:
        if (!modifiers.testFlag(Qt::ControlModifier) || !nextPlace)
            return false;
        nextPlace();
        return true;
    case Qt::Key_R:
        // The panel's folder read again, as the main list's Ctrl+R does.
        if (!modifiers.testFlag(Qt::ControlModifier))
            return false;
        quil::runHandler(m_services.dialogs, [this] { relist(); });
        return true;
    default:
        return false;
    }
}

void TForm4::ListView1Edited(const quil::FolderPath &folder, const QString &oldName, const QString &newName)
{
    if (newName == oldName)
        return;
    const quil::ChangeHold::Scope held(*m_changes);
    m_services.dialogs.message(QCoreApplication::translate("TForm4", "Меняем имя : ") + folder.filePath(oldName) +
                                   QCoreApplication::translate("TForm4", " - на  -") + folder.filePath(newName),
                               kTitle, quil::Dialogs::Icon::Information);
    // The row keeps the typed caption until the next listing.
    quil::RenameCommand::renameInFolder(m_services.dialogs, folder, oldName, newName, this);
}

void TForm4::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm4::FormResize()
{
    ListView1->resize(width() - 18, height() - 115);
    Label6->move(Label6->x(), ListView1->height() + 64);
    ListView1->update();
}
