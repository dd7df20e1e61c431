#pragma once

#include <QWidget>

class QCheckBox;

namespace quil {
struct Services;
}

// The file search window. Start-up and the settings window set its
// other-viewer mark CheckBox4.
class TFILESCH : public QWidget
{
    Q_OBJECT
public:
    explicit TFILESCH(quil::Services &services, QWidget *parent = nullptr);

    QCheckBox *CheckBox4 = nullptr; // "Другой просмотр"

private:
    quil::Services &m_services;
};
