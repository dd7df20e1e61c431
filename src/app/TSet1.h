#pragma once

#include "viewers/ProgramSettings.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;

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

    QCheckBox *CheckBox1 = nullptr; // external viewer for texts
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox2 = nullptr; // external viewer for pictures
    QLineEdit *Edit2 = nullptr;
    QCheckBox *CheckBox3 = nullptr; // external editor instead of the system's
    QLineEdit *Edit4 = nullptr;

Q_SIGNALS:
    // The window was closed: the search window's "Другой просмотр" follows
    // the two viewer boxes.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    quil::Services &m_services;
    quil::ProgramSettings m_settings;
};
