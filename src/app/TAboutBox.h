#pragma once

#include <QDialog>

namespace quil {
struct Services;
}

// The about window, shown modally.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(quil::Services &services, QWidget *parent = nullptr);

private:
    quil::Services &m_services;
};
