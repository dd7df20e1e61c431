#include "search/TFILESCH.h"

#include "platform/ReadableColour.h"
#include "platform/WindowFont.h"
#include "search/SearchWindowController.h"
#include "search/TFB.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

template <typename Widget>
Widget *placed(Widget *widget, const char *name, QRect geometry, const QString &accessibleName = {})
{
    widget->setObjectName(QLatin1String(name));
    widget->setFont(quil::arialBold(13));
    widget->setGeometry(geometry);
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y, int w)
{
    return placed(new QLabel(text, parent), name, QRect(x, y, w, 20));
}

QLineEdit *edit(QWidget *parent, const char *name, const QString &text, QRect geometry, const QString &accessibleName)
{
    return placed(new QLineEdit(text, parent), name, geometry, accessibleName);
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    return placed(new QCheckBox(text, parent), name, geometry);
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    return placed(new QPushButton(text, parent), name, QRect(x, y, 81, 25));
}

QToolButton *pictureButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap glyph, int x,
                           int y)
{
    auto *result = placed(new QToolButton(parent), name, QRect(x, y, 25, 25));
    quil::setReadableIcon(result, parent->style()->standardIcon(glyph));
    result->setToolTip(hint);
    result->setAccessibleName(hint);
    return result;
}

constexpr int listTop = 184;

} // namespace

TFILESCH::TFILESCH(quil::Services &services, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FILESCH"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QCoreApplication::translate("TFILESCH", "Поиск файлов"));
    resize(560, 420);
    buildFields();
    buildCommands();
    const quil::SearchControls controls{.rootFolder = *Edit1,
                                        .subfolders = *CheckBox2,
                                        .name = *Edit2,
                                        .extension = *Edit3,
                                        .withText = *CheckBox1,
                                        .text = *Edit5,
                                        .dos = *CheckBox3,
                                        .otherViewer = *CheckBox4,
                                        .start = *Button2,
                                        .stop = *Button3,
                                        .foldersToSearch = *Label6,
                                        .foldersDone = *Label10,
                                        .found = *Label9,
                                        .results = *ListBox1};
    m_controller = new quil::SearchWindowController(controls, services, this);
    FormCreate();
}

TFILESCH::~TFILESCH() = default;

// Rows from the top: what to search for, in which folder, by which name, with which text.
void TFILESCH::buildFields()
{
    Label5 = label(this, "Label5", QCoreApplication::translate("TFILESCH", "Искать ... "), 8, 8, 100);
    CheckBox2 = checkBox(this, "CheckBox2", QCoreApplication::translate("TFILESCH", "C подкаталогами "),
                         QRect(112, 8, 160, 20));
    Label11 = label(this, "Label11", QCoreApplication::translate("TFILESCH", "Выбрать папку  >>"), 300, 8, 140);
    SpeedButton2 = pictureButton(this, "SpeedButton2", QCoreApplication::translate("TFILESCH", "Выбрать папку"),
                                 QStyle::SP_DirOpenIcon, 444, 5);
    Label2 = label(this, "Label2", QCoreApplication::translate("TFILESCH", "В папке:"), 8, 38, 80);
    Edit1 = edit(this, "Edit1", QStringLiteral("/"), QRect(112, 36, 440, 22),
                 QCoreApplication::translate("TFILESCH", "В папке"));
    Label1 = label(this, "Label1", QCoreApplication::translate("TFILESCH", "По имени "), 8, 66, 100);
    Edit2 = edit(this, "Edit2", QStringLiteral("*"), QRect(112, 64, 150, 22),
                 QCoreApplication::translate("TFILESCH", "По имени"));
    Label8 = label(this, "Label8", QStringLiteral("."), 266, 66, 8);
    Label7 = label(this, "Label7", QCoreApplication::translate("TFILESCH", "С расширением"), 280, 66, 120);
    Edit3 = edit(this, "Edit3", QStringLiteral("*"), QRect(404, 64, 148, 22),
                 QCoreApplication::translate("TFILESCH", "С расширением"));
    CheckBox1 =
        checkBox(this, "CheckBox1", QCoreApplication::translate("TFILESCH", "С текстом"), QRect(8, 94, 100, 20));
    CheckBox3 = checkBox(this, "CheckBox3", QStringLiteral("DOS"), QRect(112, 94, 60, 20));
    Edit5 = edit(this, "Edit5", QString(), QRect(176, 92, 376, 22), QCoreApplication::translate("TFILESCH", "Текст"));
    Edit2->installEventFilter(this);
}

// Start and Stop with their counters, then the commands on the selected result.
void TFILESCH::buildCommands()
{
    Button2 = button(this, "Button2", QCoreApplication::translate("TFILESCH", "Старт"), 8, 122);
    Label3 = label(this, "Label3", QCoreApplication::translate("TFILESCH", "Ищем в: "), 100, 125, 64);
    Label10 = label(this, "Label10", QStringLiteral("0"), 166, 125, 60);
    StaticText1 = label(this, "StaticText1", QCoreApplication::translate("TFILESCH", "папке из"), 228, 125, 70);
    Label6 = label(this, "Label6", QStringLiteral("1"), 300, 125, 60);
    CheckBox4 = checkBox(this, "CheckBox4", QCoreApplication::translate("TFILESCH", "Другой просмотр"),
                         QRect(380, 125, 172, 20));
    Button3 = button(this, "Button3", QCoreApplication::translate("TFILESCH", "Стоп"), 8, 152);
    Button3->setEnabled(false);
    Label4 = label(this, "Label4", QCoreApplication::translate("TFILESCH", "Найдено:"), 100, 155, 70);
    Label9 = label(this, "Label9", QStringLiteral("0"), 172, 155, 60);
    Button1 = button(this, "Button1", QCoreApplication::translate("TFILESCH", "Открыть"), 236, 152);
    Button4 = button(this, "Button4", QCoreApplication::translate("TFILESCH", "Перейти"), 322, 152);
    Button7 = button(this, "Button7", QCoreApplication::translate("TFILESCH", "Смотреть"), 408, 152);
    SpeedButton1 =
        pictureButton(this, "SpeedButton1", QCoreApplication::translate("TFILESCH", "Показать или скрыть просмотр"),
                      QStyle::SP_FileDialogContentsView, 494, 152);
    ListBox1 = placed(new QListWidget(this), "ListBox1", QRect(8, listTop, 544, 228),
                      QCoreApplication::translate("TFILESCH", "Найдено"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(Button2, &QPushButton::clicked, this, &TFILESCH::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFILESCH::Button3Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFILESCH::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TFILESCH::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TFILESCH::Button4Click);
    connect(Button7, &QPushButton::clicked, this, &TFILESCH::Button7Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFILESCH::SpeedButton1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFILESCH::ListBox1DblClick);
}

void TFILESCH::setFolderChooser(TFB *chooser)
{
    m_chooser = chooser;
    if (chooser != nullptr)
        chooser->folderChosen = [this](const QString &folder) { Edit1->setText(folder); };
}

void TFILESCH::showForFolder(const QString &folder)
{
    Edit1->setText(folder);
    show();
    raise();
    activateWindow();
}

void TFILESCH::setOtherViewerMark(bool ticked)
{
    CheckBox4->setChecked(ticked);
}

void TFILESCH::FormCreate()
{
    m_controller->clearState();
}

void TFILESCH::FormShow() {}

void TFILESCH::FormClose()
{
    m_controller->writeFsIni();
}

void TFILESCH::Button2Click()
{
    m_controller->start();
}

void TFILESCH::Edit2KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        m_controller->start();
}

void TFILESCH::Button3Click()
{
    m_controller->stop();
}

void TFILESCH::SpeedButton2Click()
{
    if (m_chooser != nullptr) {
        m_chooser->show();
        m_chooser->raise();
    }
}

void TFILESCH::Button1Click()
{
    m_controller->open();
}

void TFILESCH::Button4Click()
{
    m_controller->goTo();
}

void TFILESCH::Button7Click()
{
    m_controller->view();
}

void TFILESCH::ListBox1DblClick()
{
    m_controller->view();
}

void TFILESCH::SpeedButton1Click()
{
    m_controller->toggleViewer();
}

void TFILESCH::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFILESCH::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; a running search goes on to its end.
    FormClose();
    event->accept();
}

void TFILESCH::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ListBox1->setGeometry(8, listTop, qMax(40, width() - 16), qMax(40, height() - listTop - 8));
}

bool TFILESCH::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit2 && event->type() == QEvent::KeyPress)
        Edit2KeyDown(static_cast<QKeyEvent *>(event)->key());
    return QWidget::eventFilter(watched, event);
}
