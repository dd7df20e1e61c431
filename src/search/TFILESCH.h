#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class TFB;

namespace quil {
struct Services;
class SearchWindowController;
} // namespace quil

// The file search window "Поиск файлов": the search's fields, Start and Stop
// with their counters, the result list and what the user does with a result.
// Created once at start-up; closing it hides it and writes fs.ini. The work
// behind the handlers is SearchWindowController's.
class TFILESCH : public QWidget
{
    Q_OBJECT
public:
    // Runs FormCreate.
    explicit TFILESCH(quil::Services &services, QWidget *parent = nullptr);
    ~TFILESCH() override;

    quil::SearchWindowController &controller() const { return *m_controller; }
    // Shows the window with a root folder in Edit1 (the main window's "Искать").
    void showForFolder(const QString &folder);
    // The folder chooser that SpeedButton2 shows; its choices go into Edit1.
    void setFolderChooser(TFB *chooser);

public Q_SLOTS:
    // Ticks or clears "Другой просмотр" (the settings window's choice).
    void setOtherViewerMark(bool ticked);

    void Button2Click();
    // Enter (or the keypad's Enter) starts a search when none runs.
    void Edit2KeyDown(int key);
    void Button3Click();
    void SpeedButton2Click();
    void Button1Click();
    void Button4Click();
    void Button7Click();
    void ListBox1DblClick();
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFields();
    void buildCommands();
    void FormCreate();
    void FormShow();
    void FormClose();

    QLabel *Label5 = nullptr;       // "Искать ... "
    QCheckBox *CheckBox2 = nullptr; // "C подкаталогами "
    QLabel *Label11 = nullptr;      // "Выбрать папку  >>"
    QToolButton *SpeedButton2 = nullptr;
    QLabel *Label2 = nullptr; // "В папке:"
    QLineEdit *Edit1 = nullptr;
    QLabel *Label1 = nullptr; // "По имени "
    QLineEdit *Edit2 = nullptr;
    QLabel *Label8 = nullptr; // "."
    QLabel *Label7 = nullptr; // "С расширением"
    QLineEdit *Edit3 = nullptr;
    QCheckBox *CheckBox1 = nullptr; // "С текстом"
    QCheckBox *CheckBox3 = nullptr; // "DOS"
    QLineEdit *Edit5 = nullptr;
    QPushButton *Button2 = nullptr; // "Старт"
    QLabel *Label3 = nullptr;       // "Ищем в: "
    QLabel *Label10 = nullptr;      // folders done
    QLabel *StaticText1 = nullptr;  // "папке из"
    QLabel *Label6 = nullptr;       // folders to search
    QCheckBox *CheckBox4 = nullptr; // "Другой просмотр"
    QPushButton *Button3 = nullptr; // "Стоп"
    QLabel *Label4 = nullptr;       // "Найдено:"
    QLabel *Label9 = nullptr;       // FoundCount
    QPushButton *Button1 = nullptr; // "Открыть"
    QPushButton *Button4 = nullptr; // "Перейти"
    QPushButton *Button7 = nullptr; // "Смотреть"
    QToolButton *SpeedButton1 = nullptr;
    QListWidget *ListBox1 = nullptr;

    quil::SearchWindowController *m_controller = nullptr;
    TFB *m_chooser = nullptr;
};
