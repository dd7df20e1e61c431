#pragma once

#include <QMainWindow>

namespace quil {
struct Services;
}

// The main window.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(quil::Services &services, QWidget *parent = nullptr);

private:
    quil::Services &m_services;
};
