#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace quil {
struct Services;
}

// The settings window. Its controls are the settings: quil.ini fills the
// three program paths and their check boxes at start-up and stores the paths
// at close.
class TSet1 : public QWidget
{
    Q_OBJECT
public:
    explicit TSet1(quil::Services &services, QWidget *parent = nullptr);

    QCheckBox *CheckBox1 = nullptr; // external viewer for texts
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox2 = nullptr; // external viewer for pictures
    QLineEdit *Edit2 = nullptr;
    QCheckBox *CheckBox3 = nullptr; // external editor instead of the system's
    QLineEdit *Edit4 = nullptr;

private:
    quil::Services &m_services;
};
