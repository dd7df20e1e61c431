#pragma once

#include <QWidget>

namespace quil {
struct Services;
}

// The folder chooser of the file search.
class TFB : public QWidget
{
    Q_OBJECT
public:
    explicit TFB(quil::Services &services, QWidget *parent = nullptr);

private:
    quil::Services &m_services;
};
