#pragma once

#include <QWidget>

namespace quil {
struct Services;
}

// The second panel window: one more folder, the target of copy and move.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(quil::Services &services, QWidget *parent = nullptr);

private:
    quil::Services &m_services;
};
