#include "viewers/TRF.h"

#include "platform/CodePages.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/ReadableColour.h"
#include "platform/Services.h"
#include "platform/WindowFont.h"
#include "viewers/FileSearcher.h"
#include "viewers/FileViewRenderer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>

using quil::FileViewPaging;
using quil::FileViewRenderer;
using quil::ViewerCodePage;

namespace {

QString searchTitle()
{
    return QCoreApplication::translate("TRF", "Поиск в файле");
}

QToolButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    quil::setReadableIcon(button, parent->style()->standardIcon(icon));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

TRF::TRF(quil::Services &services, QWidget *parent) : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("RF"));
    setWindowTitle(QCoreApplication::translate("TRF", "Просмотр содержимого файлов  V1.4"));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QCoreApplication::translate("TRF", "Содержимое файла"));
    Memo1->setReadOnly(true);
    // Read-only, but with a caret the keys move, as the search starts there.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPixelSize(13);
    Memo1->setFont(fixed);
    Memo1->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 8);
    Memo1->installEventFilter(this);

    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(1, 1);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TRF::ScrollBar1Change);

    Button5 = new QPushButton(QStringLiteral("TXT - HEX"), this);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setToolTip(QCoreApplication::translate("TRF", "Режимы просмотра"));
    Button5->setGeometry(8, 8, 75, 25);
    connect(Button5, &QPushButton::clicked, this, [this] { handle([this] { Button5Click(); }); });

    BitBtn1 = pictureButton(this, "BitBtn1", QStyle::SP_BrowserReload,
                            QCoreApplication::translate("TRF", "Переключение кодировки"));
    BitBtn1->setGeometry(92, 8, 25, 25);
    connect(BitBtn1, &QToolButton::clicked, this, [this] { handle([this] { BitBtn1Click(); }); });

    Label3 = new QLabel(QStringLiteral("WIN"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(quil::arialBold(13));
    Label3->setGeometry(124, 12, 50, 17);

    Label4 = new QLabel(QStringLiteral("UCODE  DOS"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setGeometry(174, 12, 90, 17);

    BitBtn3 = pictureButton(this, "BitBtn3", QStyle::SP_ArrowDown,
                            QCoreApplication::translate("TRF", "Завернуть длинные строки"));
    BitBtn3->setGeometry(276, 8, 25, 25);
    connect(BitBtn3, &QToolButton::clicked, this, [this] { handle([this] { BitBtn3Click(); }); });

    Button3 = new QPushButton(QCoreApplication::translate("TRF", "Искать >"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setToolTip(QCoreApplication::translate("TRF", "Поиск в файле"));
    Button3->setGeometry(316, 8, 70, 25);
    connect(Button3, &QPushButton::clicked, this, [this] { handle([this] { Button3Click(); }); });

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QCoreApplication::translate("TRF", "Введи текст для поиска"));
    Edit1->setGeometry(392, 10, 220, 22);
    Edit1->installEventFilter(this);

    BitBtn2 =
        pictureButton(this, "BitBtn2", QStyle::SP_DialogCloseButton, QCoreApplication::translate("TRF", "Выход - Esc"));
    BitBtn2->setGeometry(640, 8, 25, 25);
    connect(BitBtn2, &QToolButton::clicked, this, [this] { BitBtn2Click(); });

    resize(717, 488);
    FormCreate();
}

void TRF::FormCreate()
{
    // The model starts in neither text nor whole-file mode.
    FormResize();
}

bool TRF::LoadViewFile()
{
    return quil::runHandler(m_services.dialogs, [this] { loadViewFile(); });
}

void TRF::setSearchText(const QString &text)
{
    Edit1->setText(text);
}

void TRF::handle(const std::function<void()> &handler)
{
    quil::runHandler(m_services.dialogs, handler);
}

ViewerCodePage TRF::codePage() const
{
    // The caption of Label3 is the code page.
    return quil::codePageFromName(Label3->text()).value_or(ViewerCodePage::Win);
}

qint64 TRF::currentLinesPerPage() const
{
    return FileViewPaging::linesPerPage(Memo1->height());
}

void TRF::loadViewFile()
{
    m_view.setLinesPerPage(currentLinesPerPage());
    m_view.setCodePage(codePage());
    m_view.setPath(m_currentFilePath);
    if (m_currentFilePath.isEmpty()) {
        m_view.open(); // clears text mode only
        return;
    }
    {
        // The new title and mode show whether the read succeeds or not; a
        // failed read leaves an empty text area.
        auto clearOnFailure = qScopeGuard([this] { clearMemo(); });
        const auto showLook = qScopeGuard([this] {
            setWindowTitle(m_view.title());
            if (m_view.wholeFileMode())
                showWholeFileLook();
            else
                showPagedLook();
        });
        m_view.open();
        clearOnFailure.dismiss();
    }
    showText();
    // A whole file read as UCODE ends with the caret shown and the focus in the text.
    if (m_view.wholeFileMode() && m_view.codePage() == ViewerCodePage::Ucode) {
        Memo1->ensureCursorVisible();
        Memo1->setFocus();
    }
}

void TRF::showWholeFileLook()
{
    ScrollBar1->hide();
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TRF::showPagedLook()
{
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBar1->show();
    syncScrollBar();
}

void TRF::syncScrollBar()
{
    const FileViewPaging &paging = m_view.paging();
    m_syncingScrollBar = true;
    ScrollBar1->setRange(1, paging.scrollMaximum());
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(paging.scrollPageStep());
    ScrollBar1->setValue(paging.scrollValue(m_view.position()));
    ScrollBar1->setEnabled(paging.enabled());
    m_syncingScrollBar = false;
}

void TRF::clearMemo()
{
    Memo1->clear();
    m_memoLines = QStringList{QString()};
}

void TRF::showText()
{
    // Kept as lines too: the search works line by line.
    m_memoLines = m_view.shownText().split(QLatin1Char('\n'));
    Memo1->setPlainText(m_view.shownText());
}

void TRF::ScrollBar1Change(int value)
{
    if (m_syncingScrollBar)
        return;
    handle([this, value] { moveTo(m_view.paging().positionFromScroll(value)); });
}

void TRF::moveTo(qint64 position)
{
    if (m_currentFilePath.isEmpty() || m_view.path() != m_currentFilePath)
        return;
    m_view.setCodePage(codePage());
    bool moved = false;
    {
        // A failed read shows the scroll bar where the view now is, over an
        // empty text area.
        auto onFailure = qScopeGuard([this] {
            syncScrollBar();
            clearMemo();
        });
        moved = m_view.setPosition(position);
        onFailure.dismiss();
    }
    if (!moved)
        return;
    syncScrollBar();
    showText();
}

void TRF::Button5Click()
{
    showPagedLook();
    clearMemo();
    m_view.setCodePage(codePage());
    Memo1->setFocus();
    {
        // The scroll bar follows the new mode, also when its read fails.
        const auto sync = qScopeGuard([this] { syncScrollBar(); });
        m_view.toggleTextHex();
    }
    showText();
}

void TRF::BitBtn1Click()
{
    const QString before = Label3->text();
    if (before == QLatin1String("WIN")) {
        Label3->setText(QStringLiteral("DOS"));
        Label4->setText(QStringLiteral("WIN UCODE"));
        Memo1->setFocus();
        loadViewFile();
    } else if (before == QLatin1String("DOS")) {
        Label3->setText(QStringLiteral("UCODE"));
        Label4->setText(QStringLiteral("DOS WIN"));
        clearMemo();
        if (m_view.viewFileSize() < quil::FileViewModel::kWholeFileLimit) {
            // A small file is reloaded whole as UCODE text; the modes stay.
            m_view.setCodePage(ViewerCodePage::Ucode);
            m_view.loadWholeUcode();
            showText();
            Memo1->ensureCursorVisible();
            Memo1->setFocus();
        } else {
            Memo1->setFocus();
            loadViewFile();
        }
    } else {
        Label3->setText(QStringLiteral("WIN"));
        Label4->setText(QStringLiteral("UCODE DOS"));
        Memo1->setFocus();
        loadViewFile();
    }
}

void TRF::BitBtn2Click()
{
    hide();
}

void TRF::BitBtn3Click()
{
    if (m_currentFilePath.isEmpty())
        return;
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->setFocus();
}

bool TRF::Memo1KeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (m_view.wholeFileMode() || Memo1->document()->isEmpty())
        return false;
    FileViewPaging::Key move;
    switch (key) {
    case Qt::Key_Up:
        move = FileViewPaging::Key::Up;
        break;
    case Qt::Key_Down:
        move = FileViewPaging::Key::Down;
        break;
    case Qt::Key_Home:
        move = FileViewPaging::Key::Home;
        break;
    case Qt::Key_End:
        move = FileViewPaging::Key::End;
        break;
    case Qt::Key_PageUp:
        move = FileViewPaging::Key::PageUp;
        break;
    case Qt::Key_PageDown:
        move = FileViewPaging::Key::PageDown;
        break;
    default:
        return false;
    }
    const qint64 target = m_view.paging().afterKey(m_view.position(), move, m_view.linesPerPage());
    handle([this, target] { moveTo(target); });
    // Not consumed: the text area moves its caret as well.
    return false;
}

bool TRF::ApplicationWheel(int delta)
{
    if (!Memo1->hasFocus())
        return false;
    if (m_view.wholeFileMode()) {
        Memo1->verticalScrollBar()->triggerAction(delta > 0 ? QAbstractSlider::SliderSingleStepSub
                                                            : QAbstractSlider::SliderSingleStepAdd);
    } else {
        const qint64 target = m_view.paging().afterWheel(m_view.position(), delta);
        handle([this, target] { moveTo(target); });
    }
    return true;
}

void TRF::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TRF::FormResize()
{
    Memo1->setGeometry(8, 40, std::max(1, width() - 45), std::max(1, height() - 75));
    ScrollBar1->setGeometry(Memo1->width() + 8, 40, 17, Memo1->height());
    BitBtn2->move(std::max(620, width() - 77), 8);
    // Only the page length follows; the scroll range waits for the next open,
    // toggle or page change.
    m_view.setLinesPerPage(currentLinesPerPage());
}

bool TRF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == Memo1)
            return Memo1KeyDown(key);
        if (watched == Edit1 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            handle([this, key] { Edit1KeyDown(key); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TRF::Button3Click()
{
    if (m_currentFilePath.isEmpty())
        return;
    runSearch();
}

void TRF::Edit1KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        runSearch();
}

QString TRF::searchText() const
{
    // The text area draws the substitute as a triangle; typed or pasted back
    // for the search in the file, it stands for the substitute byte again.
    QString typed = Edit1->text();
    typed.replace(QChar(char16_t(0x25BA)), QChar(char16_t(FileViewRenderer::kSubstitute)));
    return typed;
}

void TRF::runSearch()
{
    // The file search lets pending events run; a second search waits for it.
    if (m_searching)
        return;
    m_searching = true;
    struct Reset
    {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_searching};

    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    quil::Dialogs &dialogs = m_services.dialogs;
    if (m_view.wholeFileMode()) {
        // The text as the area shows it, substitute triangles included.
        if (!FindInText(Edit1->text()))
            dialogs.message(Edit1->text() + QCoreApplication::translate("TRF", "- не найдено"), searchTitle(),
                            quil::Dialogs::Icon::Information);
        return;
    }
    if (m_view.textMode()) {
        dialogs.message(QCoreApplication::translate("TRF", "Файл большой! Включи - HEX "), QStringLiteral("QUIL"),
                        quil::Dialogs::Icon::None);
        return;
    }
    const ViewerCodePage page = codePage();
    const QString text = searchText();
    QString shown = Edit1->text();
    if (page == ViewerCodePage::Dos)
        shown = quil::codepage::fromCp1251(quil::codepage::ansiToDos(quil::codepage::toCp1251(text)));
    const qint64 start = (m_view.position() + 1) * 16;
    const QString path = m_currentFilePath;
    qint64 hit = -1;
    if (m_view.path() == path) {
        hit = quil::FileSearcher::findInFile(path, text, start, page,
                                             [] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    }
    // A file opened or a mode changed while the search ran: the hit is stale.
    if (m_currentFilePath != path || m_view.wholeFileMode() || m_view.textMode() || codePage() != page)
        return;
    ScrollBar1->setEnabled(true);
    if (hit < 0) {
        dialogs.message(shown + QCoreApplication::translate("TRF", " - не найдено"), searchTitle(),
                        quil::Dialogs::Icon::Information);
        return;
    }
    moveTo(hit / 16);
    ScrollBar1->setEnabled(true);
    QByteArray label = FileViewRenderer::offsetLabel(hit);
    label.back() = '0';
    // The row whose label this is; a label-like text in a text column is not it.
    const QString rowStart = QString::fromLatin1(label + ": ");
    for (qsizetype row = 0; row < m_memoLines.size(); ++row) {
        if (!m_memoLines[row].startsWith(rowStart))
            continue;
        const int at = Memo1->document()->findBlockByNumber(static_cast<int>(row)).position();
        QTextCursor cursor = Memo1->textCursor();
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(label.size()), QTextCursor::KeepAnchor);
        Memo1->setTextCursor(cursor);
        break;
    }
    Memo1->setFocus();
}

bool TRF::FindInText(const QString &text)
{
    Memo1->setFocus();
    const QTextCursor caret = Memo1->textCursor();
    const quil::FileSearcher::TextHit hit =
        quil::FileSearcher::findInText(m_memoLines, caret.blockNumber(), caret.positionInBlock(), text);
    if (!hit.found)
        return false;
    const int at =
        Memo1->document()->findBlockByNumber(static_cast<int>(hit.line)).position() + static_cast<int>(hit.column);
    QTextCursor cursor = Memo1->textCursor();
    cursor.setPosition(at);
    cursor.setPosition(at + static_cast<int>(hit.length), QTextCursor::KeepAnchor);
    Memo1->setTextCursor(cursor);
    return true;
}
