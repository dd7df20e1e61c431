#pragma once

#include "viewers/FileViewModel.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace quil {
struct Services;
}

// The file content viewer window: one file as text or as a hexadecimal dump in
// the code pages WIN, DOS and UCODE, paged for large files, with a search.
// Created once at start-up and afterwards only shown and hidden; closing it
// hides it and keeps its contents, modes and code page.
class TRF : public QWidget
{
    Q_OBJECT
public:
    explicit TRF(quil::Services &services, QWidget *parent = nullptr);

    // The file the viewer shows (the program-wide CurrentFilePath); an empty
    // path means no file: opening, rendering and word wrap then do nothing.
    void setCurrentFilePath(const QString &path) { m_currentFilePath = path; }
    const QString &currentFilePath() const { return m_currentFilePath; }

    // Opens CurrentFilePath: sets the title, chooses whole-file or paged mode
    // and renders (reads at most one page). A failure to open or read is shown
    // in the general error box and false returned; the window stays usable.
    bool LoadViewFile();

    // The application-wide wheel hook: when Memo1 has the focus, a wheel turn
    // (delta above 0: away from the user) scrolls one line in whole-file mode or
    // moves the page by one row in paged mode, and true is returned (the wheel
    // is then not handled as a wheel). False, and nothing done, otherwise.
    bool ApplicationWheel(int delta);

    // The viewer state, for the windows that call it and for tests.
    const quil::FileViewModel &viewState() const { return m_view; }

    // Puts a text into the search box, as typed (the file search's text).
    void setSearchText(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    // Renders the page that ScrollBar1's value selects.
    void ScrollBar1Change(int value);
    void Button5Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void Button3Click();
    // True when the key was consumed (Esc).
    bool Memo1KeyDown(int key);
    void Edit1KeyDown(int key);
    bool FindInText(const QString &text);

    void loadViewFile(); // raises
    void runSearch();
    void handle(const std::function<void()> &handler);
    quil::ViewerCodePage codePage() const;
    qint64 currentLinesPerPage() const;
    void showWholeFileLook();
    void showPagedLook();
    void syncScrollBar();
    void showText();
    void clearMemo();
    // Moves the page to a position (limited to the range) and renders it.
    void moveTo(qint64 position);
    QString searchText() const;

    QPlainTextEdit *Memo1 = nullptr;
    QScrollBar *ScrollBar1 = nullptr;
    QPushButton *Button5 = nullptr;
    QToolButton *BitBtn1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QToolButton *BitBtn2 = nullptr;
    QToolButton *BitBtn3 = nullptr;
    QPushButton *Button3 = nullptr;
    QLineEdit *Edit1 = nullptr;

    quil::Services &m_services;
    quil::FileViewModel m_view;
    QString m_currentFilePath;
    QStringList m_memoLines; // Memo1's lines as shown
    bool m_syncingScrollBar = false;
    bool m_searching = false;
};
