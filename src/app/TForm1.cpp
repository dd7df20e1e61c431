#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/ProgramEnd.h"
#include "app/TSet1.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderNavigator.h"
#include "listing/FolderTreeModel.h"
#include "listing/ListColumnSizer.h"
#include "listing/PathText.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/EventHook.h"
#include "platform/QuilIni.h"
#include "platform/ReadableColour.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/WindowFont.h"
#include "viewers/TExtent.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <QCoreApplication>
#include <algorithm>
#include <exception>
#include <iterator>

namespace {

// The design width of the window; controls anchored to the right keep their
// distance to the right edge from it.
constexpr int designWidth = 653;

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y, int w, int h)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(QLatin1String(name));
    result->setFont(quil::arialBold(13));
    result->setGeometry(x, y, w, h);
    return result;
}

QFrame *shape(QWidget *parent, const char *name, const QColor &colour, int x, int y, int w, int h)
{
    auto *result = new QFrame(parent);
    result->setObjectName(QLatin1String(name));
    result->setFrameShape(QFrame::Box);
    result->setAutoFillBackground(true);
    QPalette palette = result->palette();
    palette.setColor(QPalette::Window, colour);
    result->setPalette(palette);
    result->setGeometry(x, y, w, h);
    return result;
}

QToolButton *speedButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap glyph, int x,
                         int y, int w, int h)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    quil::setReadableIcon(button, parent->style()->standardIcon(glyph));
    button->setGeometry(x, y, w, h);
    return button;
}

} // namespace

TForm1::TForm1(quil::Services &services, QWidget *parent) : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QUIL   Ver. 1.5"));
    setGeometry(105, 97, designWidth, 567);
    QFont tahoma(QStringLiteral("DejaVu Sans"));
    tahoma.setPixelSize(11);
    setFont(tahoma);

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    buildPanel1();
    column->addWidget(Panel1);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    ShellTreeView1 = new QTreeView(Splitter1);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setAccessibleName(QCoreApplication::translate("TForm1", "Дерево папок"));
    ShellTreeView1->setHeaderHidden(true);
    ShellTreeView1->setIndentation(20);
    ShellTreeView1->setMinimumWidth(80);
    ShellTreeView1->setFont(quil::arialBold(13));
    ListView = new quil::FolderListView(Splitter1);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setAccessibleName(QCoreApplication::translate("TForm1", "Содержимое папки"));
    ListView->setFont(quil::arialBold(13));
    ListView->setMinimumWidth(80);
    m_listModel = new quil::FolderListModel(m_listing, this);
    m_listModel->setBaseFont(ListView->font());
    ListView->setModel(m_listModel);
    {
        QList<int> designed;
        for (int column = 0; column < quil::ColumnCount; ++column)
            designed.append(quil::columnWidth(column));
        m_columns = new quil::ListColumnSizer(*ListView, designed, [this] {
            const auto [first, last] = ListView->visibleRows();
            if (last >= first)
                ListViewDataHint(first, last);
        });
    }
    ListView->setDataHint([this](int first, int last) { ListViewDataHint(first, last); });
    ListView->setNameOf([this](int row) { return m_listing.name(row); });
    connect(ListView->header(), &QHeaderView::sectionClicked, this, &TForm1::ListViewColumnClick);
    m_treeModel = new quil::FolderTreeModel(this);
    ShellTreeView1->setModel(m_treeModel);
    // Deep nodes keep their names: the column is as wide as its widest
    // node and the narrow tree scrolls sideways.
    ShellTreeView1->header()->setStretchLastSection(false);
    ShellTreeView1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // A right click selects the node under the mouse (its menu is the
    // context menu's).
    ShellTreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ShellTreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex node = ShellTreeView1->indexAt(at);
        if (node.isValid())
            ShellTreeView1->setCurrentIndex(node);
    });
    Splitter1->addWidget(ShellTreeView1);
    Splitter1->addWidget(ListView);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({195, designWidth - 195 - 5 - 49});
    middle->addWidget(Splitter1, 1);
    buildPanel2();
    middle->addWidget(Panel2);
    column->addLayout(middle, 1);

    buildPanel3();
    column->addWidget(Panel3);
    setCentralWidget(central);

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    // In this order: the navigation makes the change hold that the marks
    // use, and the keys and menus reach every command made before them.
    setUpNavigation();
    setUpView();
    setUpFileCommands();
    setUpMarks();
    setUpLiveList();
    setUpKeys();
    setUpShell();
    setUpDesktopKeys();

    FormCreate();
}

TForm1::~TForm1()
{
    // A control losing the focus while it is destroyed would run its
    // focus-out handler (the path box's) on a half-destroyed control.
    if (QWidget *focused = QApplication::focusWidget(); focused != nullptr && isAncestorOf(focused))
        focused->clearFocus();
    // The views and models read the entries until they are gone, so they go
    // before the listing they show.
    delete centralWidget();
    delete m_listModel;
    delete m_treeModel;
}

void TForm1::buildPanel1()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(89);
    Panel1->setFrameShape(QFrame::StyledPanel);

    Label2 = label(Panel1, "Label2", QCoreApplication::translate("TForm1", " Путь:"), 5, 13, 37, 20);
    cbPath = new QComboBox(Panel1);
    cbPath->setObjectName(QStringLiteral("cbPath"));
    cbPath->setEditable(true);
    cbPath->setInsertPolicy(QComboBox::NoInsert);
    cbPath->setFont(quil::arialBold(13));
    cbPath->setGeometry(48, 8, 592, 24);
    // Read by its label, not by the path it holds; the typing goes to its
    // line, named the same.
    Label2->setBuddy(cbPath);
    cbPath->setAccessibleName(QCoreApplication::translate("TForm1", "Путь:"));
    cbPath->lineEdit()->setAccessibleName(cbPath->accessibleName());

    Label3 = label(Panel1, "Label3", QCoreApplication::translate("TForm1", "На "), 13, 36, 23, 21);
    DriveComboBox1 = new QComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setFont(quil::arialBold(11));
    DriveComboBox1->setGeometry(48, 35, 81, 20);
    Label4 = label(Panel1, "Label4", QCoreApplication::translate("TForm1", "из"), 133, 35, 20, 21);
    Label4->setFont(quil::arialBold(16));

    Shape1 = shape(Panel1, "Shape1", QColor(0, 255, 255), 157, 35, 110, 18);
    Shape2 = shape(Panel1, "Shape2", QColor(255, 255, 0), 267, 35, 110, 18);
    // The two texts lie over the bar, so they come after the shapes.
    Label5 = label(Panel1, "Label5", QString(), 159, 35, 110, 13);
    Label5->setAttribute(Qt::WA_TranslucentBackground);
    Label6 = label(Panel1, "Label6", QString(), 263, 35, 110, 13);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6->setAttribute(Qt::WA_TranslucentBackground);
    Label7 = label(Panel1, "Label7", QCoreApplication::translate("TForm1", "свободно"), 380, 37, 64, 17);

    Label9 = label(Panel1, "Label9", QCoreApplication::translate("TForm1", "Жду команду..."), 448, 37, 145, 17);
    Label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Button2 = new QPushButton(QStringLiteral("Inf"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setToolTip(QCoreApplication::translate("TForm1", "Помощь/Help"));
    Button2->setFont(quil::arialBold(12));
    Button2->setGeometry(614, 37, 24, 17);

    Shape3 = new QFrame(Panel1);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setFrameShape(QFrame::HLine);
    Shape3->setFrameShadow(QFrame::Sunken);
    Shape3->setGeometry(8, 57, 630, 2);

    using SP = QStyle::StandardPixmap;
    SpeedButton1 = speedButton(Panel1, "SpeedButton1", QCoreApplication::translate("TForm1", "Закончить / Exit"),
                               SP::SP_DialogCloseButton, 5, 62, 24, 23);
    SpeedButton18 = speedButton(Panel1, "SpeedButton18",
                                QCoreApplication::translate("TForm1", "Обновить левую панель / Update left panel"),
                                SP::SP_BrowserReload, 37, 62, 24, 23);
    SpeedButton17 =
        speedButton(Panel1, "SpeedButton17", QCoreApplication::translate("TForm1", "Отрыть 2-ю панель / Second panel"),
                    SP::SP_TitleBarNormalButton, 64, 62, 24, 23);
    SpeedButton16 =
        speedButton(Panel1, "SpeedButton16", QCoreApplication::translate("TForm1", "C нижней панели наверх / To UP"),
                    SP::SP_ArrowUp, 91, 62, 24, 23);
    SpeedButton15 =
        speedButton(Panel1, "SpeedButton15", QCoreApplication::translate("TForm1", "На нижнюю панель / To DOWN"),
                    SP::SP_ArrowDown, 119, 62, 24, 23);
    SpeedButton14 =
        speedButton(Panel1, "SpeedButton14", QCoreApplication::translate("TForm1", "Обменять панели / Swup panel"),
                    SP::SP_BrowserReload, 147, 62, 24, 23);
    SpeedButton13 =
        speedButton(Panel1, "SpeedButton13",
                    QCoreApplication::translate("TForm1", "Свернуть - Развернуть левую панель  /Close-Open left panel"),
                    SP::SP_ArrowLeft, 174, 62, 24, 23);
    SpeedButton2 =
        speedButton(Panel1, "SpeedButton2", QCoreApplication::translate("TForm1", "Вверх на один уровень / Up level"),
                    SP::SP_FileDialogToParent, 202, 62, 24, 23);
    Label1 = label(Panel1, "Label1", QString(), 232, 65, 345, 20);
    Label1->setToolTip(QCoreApplication::translate("TForm1", "Выделено / Selected"));
    setTextColours();
    SpeedButton19 =
        speedButton(Panel1, "SpeedButton19", QCoreApplication::translate("TForm1", "Обновить список / Update List"),
                    SP::SP_BrowserReload, 585, 62, 24, 23);
    SpeedButton20 =
        speedButton(Panel1, "SpeedButton20", QCoreApplication::translate("TForm1", "Выбрать файлы / Select files"),
                    SP::SP_DialogApplyButton, 614, 62, 24, 23);
}

void TForm1::setTextColours()
{
    const QPalette window = QApplication::palette();
    const QColor background = window.color(QPalette::Window);
    const auto colour = [](QWidget *control, const QColor &text) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::WindowText, text);
        control->setPalette(palette);
    };
    colour(Label9, quil::textColourOn(Qt::blue, background, window));
    colour(Label1, quil::textColourOn(QColor(0, 0, 128), background, window));
    // The disk figures lie on the aqua and yellow bars, whatever the
    // palette's own text colour.
    colour(Label5, Qt::black);
    colour(Label6, Qt::black);
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        setTextColours();
}

void TForm1::buildPanel2()
{
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(49);
    Panel2->setFrameShape(QFrame::StyledPanel);
    using SP = QStyle::StandardPixmap;
    SpeedButton12 = speedButton(Panel2, "SpeedButton12",
                                QCoreApplication::translate("TForm1", "Доп. панель открыить-Закрыть / New panel"),
                                SP::SP_TitleBarNormalButton, 8, 9, 35, 22);
    struct Command
    {
        QToolButton *&button;
        const char *name;
        const char *hint;
        SP glyph;
        int top;
    };
    const Command commands[] = {
        {SpeedButton3, "SpeedButton3", QT_TRANSLATE_NOOP("TForm1", "Переименовать / Rename"),
         SP::SP_FileDialogDetailedView, 40},
        {SpeedButton4, "SpeedButton4", QT_TRANSLATE_NOOP("TForm1", "Просмотреть / View"), SP::SP_FileDialogContentsView,
         82},
        {SpeedButton5, "SpeedButton5", QT_TRANSLATE_NOOP("TForm1", "Редактировать / Edit"), SP::SP_FileIcon, 124},
        {SpeedButton6, "SpeedButton6", QT_TRANSLATE_NOOP("TForm1", "Копировать / Copy"), SP::SP_DialogSaveButton, 166},
        {SpeedButton7, "SpeedButton7", QT_TRANSLATE_NOOP("TForm1", "Переместить / Move"), SP::SP_ArrowRight, 208},
        {SpeedButton8, "SpeedButton8", QT_TRANSLATE_NOOP("TForm1", "Создать / Create"), SP::SP_FileDialogNewFolder,
         250},
        {SpeedButton9, "SpeedButton9", QT_TRANSLATE_NOOP("TForm1", "Удалить / Delete"), SP::SP_TrashIcon, 292},
        {SpeedButton10, "SpeedButton10", QT_TRANSLATE_NOOP("TForm1", "Настройки / Setup"), SP::SP_ComputerIcon, 334},
        {SpeedButton11, "SpeedButton11", QT_TRANSLATE_NOOP("TForm1", "Настройка расширений / Run extensions"),
         SP::SP_FileDialogListView, 376},
    };
    for (const Command &command : commands)
        command.button = speedButton(Panel2, command.name, QCoreApplication::translate("TForm1", command.hint),
                                     command.glyph, 8, command.top, 35, 35);
    // A column shorter than its design (a small screen, a large scale) packs
    // its buttons closer, so that none is cut off at the bottom.
    new quil::EventHook(Panel2, QEvent::Resize, [this, commands](QEvent *) {
        const int first = commands[0].top;
        const int count = static_cast<int>(std::size(commands));
        const int step = std::min(42, (Panel2->height() - first - 4) / count);
        const int side = std::max(16, std::min(35, step - 2));
        for (int index = 0; index < count; ++index)
            commands[index].button->setGeometry(8 + (35 - side) / 2, first + index * step, side, side);
        return false;
    });
}

void TForm1::buildPanel3()
{
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(31);
    Panel3->setFrameShape(QFrame::StyledPanel);
    Button1 = new QPushButton(QCoreApplication::translate("TForm1", "Искать"), Panel3);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(quil::arialBold(13));
    Button1->setGeometry(8, 5, 75, 23);
    Label8 = label(Panel3, "Label8", QCoreApplication::translate("TForm1", "Выполнить: "), 104, 8, 81, 20);
    ComboBox1 = new QComboBox(Panel3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setAccessibleName(QCoreApplication::translate("TForm1", "Выполнить"));
    ComboBox1->setEditable(true);
    ComboBox1->setFont(quil::arialBold(13));
    ComboBox1->setGeometry(200, 4, 441, 24);
}

void TForm1::setStatus(const QString &text)
{
    Label9->setText(text);
    Label9->repaint();
}

void TForm1::SpeedButton1Click()
{
    close();
}

void TForm1::FormCreate()
{
    m_nav->fillDriveList();
    // "/" always exists; the selector's volume is the fallback of a machine
    // without it.
    if (quil::directoryExists(QStringLiteral("/"))) {
        m_startRoot = quil::FolderPath::root();
        m_nav->selectDrive(QStringLiteral("/"));
    } else {
        m_startRoot = quil::FolderPath(m_nav->selectedDrive());
    }
    m_nav->setWindowShown(false);
    m_listing.setSortKey(quil::SortKey::Name);
    m_listing.EntryToSelect.clear();
    restoreListState();
    // The listing gives the list the keyboard focus; the path box takes it
    // by a click, Ctrl+L or Alt+D.
    quil::runHandler(m_services.dialogs, [this] { m_nav->browseTo(quil::ItemId::computer()); });
}

void TForm1::FormShow()
{
    // The window may have closed before its start came round.
    if (m_closing)
        return;
    m_nav->setWindowShown(true);
    quil::runHandler(m_services.dialogs, [this] { navigateByPath(m_startRoot); });
    // A close while the start folder was read ends the start here.
    if (m_closing)
        return;
    // Each settings file is reported on its own: a bad quil.ini does not keep
    // quil.ext from being read. Its error is told once the start folder is
    // listed, so that the window behind the box, and an end of the program
    // while the box is open, already have that folder.
    std::exception_ptr iniError;
    try {
        readQuilIni();
    } catch (...) {
        iniError = std::current_exception();
    }
    if (!m_argumentFolder.isEmpty() && !m_closing) {
        m_listing.EntryToSelect = m_argumentEntry;
        quil::runHandler(m_services.dialogs, [this] { navigateByPath(m_argumentFolder); });
    }
    if (iniError)
        quil::runHandler(m_services.dialogs, [&iniError] { std::rethrow_exception(iniError); });
    if (m_windows) {
        m_windows->Set1->applyOtherViewerMark();
        quil::runHandler(m_services.dialogs, [this] { m_windows->Extent->LoadExtensionTable(); });
    }
    m_started = true;
    Q_EMIT startDone();
}

void TForm1::setStartFolder(const quil::FolderPath &folder, const QString &entry)
{
    m_argumentFolder = folder;
    m_argumentEntry = entry;
}

void TForm1::readQuilIni()
{
    m_quilIniRead = true;
    quil::QuilIniLines lines;
    if (!quil::readQuilIni(quil::quilIniPath(m_services.settingsFolder), lines))
        return;
    m_startLastFolder = lines.lastFolder;
    if (m_windows)
        m_windows->Set1->setSettings(quil::ProgramSettings::fromQuilIni(lines));
    // A folder that exists but cannot be read is reported; start-up goes on.
    if (quil::directoryExists(lines.lastFolder))
        quil::runHandler(m_services.dialogs, [this, &lines] { navigateByPath(quil::FolderPath(lines.lastFolder)); });
}

void TForm1::writeQuilIni()
{
    const QString path = quil::quilIniPath(m_services.settingsFolder);
    quil::QuilIniLines lines;
    if (m_quilIniRead) {
        if (m_windows)
            m_windows->Set1->settings().toQuilIni(lines);
    } else {
        // Closed before the start read the file: its settings stay as they
        // are, not the defaults the window still has. Only a plain file is
        // read here: a FIFO would hold the close.
        try {
            if (QFileInfo(path).isFile())
                quil::readQuilIni(path, lines);
        } catch (const std::exception &) {
        }
        m_startLastFolder = lines.lastFolder;
    }
    // Closed while the start still read its folders: the folder it was
    // going to show is kept, not the one it passed through.
    if (m_started)
        lines.lastFolder = cbPath->currentText();
    else if (!m_argumentFolder.isEmpty())
        lines.lastFolder = m_argumentFolder.withTrailingSlash();
    else if (quil::directoryExists(m_startLastFolder))
        lines.lastFolder = m_startLastFolder;
    else
        lines.lastFolder = m_startRoot.withTrailingSlash();
    quil::writeQuilIni(path, lines);
}

void TForm1::FormClose()
{
    m_listModel->reading([this] { m_listing.discardEntries(); });
    // The window closes even when the file cannot be written; the error box
    // tells why the settings were not kept.
    quil::runHandler(m_services.dialogs, [this] {
        writeQuilIni();
        writeWindowLayout();
        keepListState();
    });
}

void TForm1::FormResize()
{
    const int w = width();
    cbPath->resize(w - 62, cbPath->height());
    Shape3->resize(w - 22, Shape3->height());
    const auto anchorRight = [w](QWidget *control, int designLeft) {
        control->move(w - (designWidth - designLeft), control->y());
    };
    anchorRight(Button2, 614);
    anchorRight(SpeedButton19, 585);
    anchorRight(SpeedButton20, 614);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The folders are read once the window is on the screen, so that it
    // shows at once and counts the entries while a large folder is read.
    if (!m_nav->windowShown() && !m_startQueued) {
        m_startQueued = true;
        QTimer::singleShot(0, this, &TForm1::FormShow);
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The quit closes every window again: the settings are written once.
    if (m_closing)
        return;
    m_closing = true;
    FormClose();
    endProgram(this);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::navigateByPath(const quil::FolderPath &folder)
{
    m_nav->navigateByPath(folder);
}

void TForm1::ListViewDataHint(int first, int last)
{
    if (first >= 0 && last < m_listing.count())
        m_listModel->fillDetails(first, last);
}

void TForm1::ListViewColumnClick(int column)
{
    quil::SortKey key;
    if (!quil::sortKeyForColumn(column, key))
        return;
    m_listing.setSortKey(key);
    m_services.dialogs.message(quil::sortMessage(column), QStringLiteral("QUIL"), quil::Dialogs::Icon::None);
    quil::runHandler(m_services.dialogs, [this] { relistFolder(); });
    m_listModel->markSortColumn(column);
}

QString TForm1::treeSelectedPath() const
{
    return m_nav->treeSelectedPath();
}

void TForm1::scrollTreeSelectionToTop()
{
    m_nav->scrollTreeSelectionToTop();
}

QString TForm1::selectedDrive() const
{
    return m_nav->selectedDrive();
}
