#pragma once

#include "platform/ProgramSettings.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quil {
struct Services;
}

// The settings window: shows and edits the program's settings. Its controls
// and the settings object stay in step both ways; the commands read the object.
class TSet1 : public QWidget
{
    Q_OBJECT
public:
    explicit TSet1(quil::Services &services, QWidget *parent = nullptr);

    const quil::ProgramSettings &settings() const { return m_settings; }
    // Shows new settings (quil.ini's at start-up).
    void setSettings(const quil::ProgramSettings &settings);
    // Sends the other-viewer mark: on while either outside viewer is ticked.
    void applyOtherViewerMark();

public Q_SLOTS:
    // The browse buttons: a chosen program's path into Edit1, Edit2 or Edit4;
    // the check boxes stay as they are.
    void Button1Click();
    void Button2Click();
    void Button4Click();
    // Return: the other-viewer mark, the font height of Edit3 (a whole number
    // from 6 to 72, else the error box and the window stays), then close.
    void Button3Click();

Q_SIGNALS:
    // The search window's "Другой просмотр" follows it.
    void otherViewerMark(bool on);
    // Return chose a font height in pixels for the list and the tree.
    void fontHeightChosen(int pixels);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildProgramRows();
    void buildOtherSettings();
    void browse(QLineEdit *edit);

    // The controls, by their designed names; tests find them by object name.
    QLabel *Label1 = nullptr;       // "Внешние смотрелки"
    QCheckBox *CheckBox1 = nullptr; // external viewer for texts
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QCheckBox *CheckBox2 = nullptr; // external viewer for pictures
    QLineEdit *Edit2 = nullptr;
    QPushButton *Button2 = nullptr;
    QLabel *Label2 = nullptr;       // "Внешний редактор"
    QCheckBox *CheckBox3 = nullptr; // external editor instead of the system's
    QLineEdit *Edit4 = nullptr;
    QPushButton *Button4 = nullptr;
    QLabel *Label3 = nullptr; // "Другие настройки"
    QLabel *Label4 = nullptr; // "Размер шрифта системы"
    QLineEdit *Edit3 = nullptr;
    QPushButton *Button3 = nullptr; // "Вернуться"

    quil::Services &m_services;
    quil::ProgramSettings m_settings;
};
