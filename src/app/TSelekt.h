#pragma once

#include <QWidget>

namespace quil {
struct Services;
}

// The selection-modes window.
class TSelekt : public QWidget
{
    Q_OBJECT
public:
    explicit TSelekt(quil::Services &services, QWidget *parent = nullptr);

private:
    quil::Services &m_services;
};
