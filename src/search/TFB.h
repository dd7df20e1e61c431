#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quil {
struct Services;
}

// The folder chooser of the file search, " Для поиска": a volume selector
// and the folder list of the chosen volume. Every folder chosen reaches the
// search window at once; "Выход" hands it over once more and closes.
class TFB : public QWidget
{
    Q_OBJECT
public:
    // Runs FormCreate: the list opens at the process's current folder.
    explicit TFB(quil::Services &services, QWidget *parent = nullptr);

    // Told each chosen folder (no trailing "/", "/" itself whole).
    std::function<void(const QString &folder)> folderChosen;

    // The folder the list is opened at.
    const QString &directory() const { return m_directory; }
    // Opens the list at a folder and tells it as chosen.
    void setDirectory(const QString &folder);

public Q_SLOTS:
    // A volume chosen: the list opens at its mount point.
    void DriveComboBox1Change();
    // A row opened (double click or Enter): the list opens at that folder.
    void DirectoryListBox1Change();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    // Refills the volume selector, keeping the volume of the list's folder.
    void fillDrives();
    void fillList();

    QComboBox *DriveComboBox1 = nullptr;
    QLabel *Label1 = nullptr; // "Выбери папку "
    QListWidget *DirectoryListBox1 = nullptr;
    QPushButton *Button1 = nullptr; // "Выход"

    QString m_directory;
};
