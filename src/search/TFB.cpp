#include "search/TFB.h"

#include "platform/FolderPath.h"
#include "platform/Volumes.h"
#include "platform/WindowFont.h"
#include "search/FolderListRows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

namespace {

constexpr int pathRole = Qt::UserRole;

} // namespace

// The chooser needs no service of its own; it takes them as every window does.
TFB::TFB(quil::Services &, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FB"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QCoreApplication::translate("TFB", " Для поиска"));
    resize(300, 320);
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setAccessibleName(QCoreApplication::translate("TFB", "Диск"));
    DriveComboBox1->setGeometry(8, 8, 284, 24);
    Label1 = new QLabel(QCoreApplication::translate("TFB", "Выбери папку "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(quil::arialBold(13));
    Label1->setGeometry(8, 38, 284, 20);
    DirectoryListBox1 = new QListWidget(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setAccessibleName(QCoreApplication::translate("TFB", "Папки"));
    DirectoryListBox1->setGeometry(8, 60, 284, 220);
    Button1 = new QPushButton(QCoreApplication::translate("TFB", "Выход"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(quil::arialBold(13));
    Button1->setGeometry(110, 288, 81, 25);
    connect(DriveComboBox1, &QComboBox::activated, this, &TFB::DriveComboBox1Change);
    connect(DirectoryListBox1, &QListWidget::itemActivated, this, &TFB::DirectoryListBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TFB::Button1Click);
    FormCreate();
}

void TFB::FormCreate()
{
    m_directory = quil::FolderPath(QDir::currentPath()).path();
    fillDrives();
    fillList();
}

void TFB::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Volumes come and go while the window is hidden.
    fillDrives();
}

void TFB::fillDrives()
{
    const QList<quil::Volume> volumes = quil::Volumes::list();
    const auto own = quil::Volumes::volumeOf(m_directory, volumes);
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->clear();
    for (const quil::Volume &volume : volumes)
        DriveComboBox1->addItem(volume.displayName(), volume.mountPoint);
    const int index = own ? DriveComboBox1->findData(own->mountPoint) : -1;
    DriveComboBox1->setCurrentIndex(index >= 0 ? index : 0);
}

void TFB::fillList()
{
    DirectoryListBox1->clear();
    const QString volumeRoot = DriveComboBox1->currentData().toString();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QListWidgetItem *current = nullptr;
    for (const quil::FolderListRow &row : quil::folderListRows(volumeRoot, m_directory)) {
        auto *item = new QListWidgetItem(row.open ? open : closed,
                                         QString(row.depth * 2, QLatin1Char(' ')) + row.caption, DirectoryListBox1);
        item->setData(pathRole, row.path);
        if (row.path == m_directory)
            current = item;
    }
    if (current != nullptr)
        DirectoryListBox1->setCurrentItem(current);
}

void TFB::setDirectory(const QString &folder)
{
    m_directory = quil::FolderPath(folder).path();
    const auto own = quil::Volumes::volumeOf(m_directory);
    if (own) {
        const int index = DriveComboBox1->findData(own->mountPoint);
        if (index >= 0 && index != DriveComboBox1->currentIndex()) {
            const QSignalBlocker quiet(DriveComboBox1);
            DriveComboBox1->setCurrentIndex(index);
        }
    }
    fillList();
    if (folderChosen)
        folderChosen(m_directory);
}

void TFB::DriveComboBox1Change()
{
    const QString root = DriveComboBox1->currentData().toString();
    if (!root.isEmpty())
        setDirectory(root);
}

void TFB::DirectoryListBox1Change()
{
    if (QListWidgetItem *item = DirectoryListBox1->currentItem())
        setDirectory(item->data(pathRole).toString());
}

void TFB::Button1Click()
{
    if (folderChosen)
        folderChosen(m_directory);
    close();
}
