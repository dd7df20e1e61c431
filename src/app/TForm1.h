#pragma once

#include <QMainWindow>

class AppWindows;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSplitter;
class QToolButton;
class FolderListView;
class QTreeView;

namespace quil {
struct Services;
}

// The main window: path, disk and button rows, the folder tree, the folder
// list, the command buttons and the command line. Controls keep the names of
// the stored layout so that the commands of every subsystem can reach them.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Runs FormCreate.
    explicit TForm1(quil::Services &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The other windows, for start-up and close (settings, search, extensions).
    void setWindows(AppWindows *windows) { m_windows = windows; }

    // Writes a command's text into the status line and repaints it at once,
    // so it shows while the command blocks the window.
    void SetStatus(const QString &text);

    QString startRoot() const { return m_startRoot; }
    bool windowShown() const { return m_windowShown; }

    // --- Panel1 ---
    QFrame *Panel1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbPath = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Label5 = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label9 = nullptr;
    QPushButton *Button2 = nullptr;
    QFrame *Shape3 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton18 = nullptr;
    QToolButton *SpeedButton17 = nullptr;
    QToolButton *SpeedButton16 = nullptr;
    QToolButton *SpeedButton15 = nullptr;
    QToolButton *SpeedButton14 = nullptr;
    QToolButton *SpeedButton13 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *SpeedButton19 = nullptr;
    QToolButton *SpeedButton20 = nullptr;
    // --- tree and list ---
    QSplitter *Splitter1 = nullptr;
    QTreeView *ShellTreeView1 = nullptr;
    FolderListView *ListView = nullptr;
    // --- Panel2: command buttons ---
    QFrame *Panel2 = nullptr;
    QToolButton *SpeedButton12 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *SpeedButton5 = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QToolButton *SpeedButton8 = nullptr;
    QToolButton *SpeedButton9 = nullptr;
    QToolButton *SpeedButton10 = nullptr;
    QToolButton *SpeedButton11 = nullptr;
    // --- Panel3: search and command line ---
    QFrame *Panel3 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *ComboBox1 = nullptr;

public Q_SLOTS:
    // "Закончить / Exit": closes the main window, which ends the program.
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPanel1();
    void buildPanel2();
    void buildPanel3();
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void readQuilIni();
    void writeQuilIni();

    quil::Services &m_services;
    AppWindows *m_windows = nullptr;
    QString m_startRoot;
    bool m_windowShown = false;
};
