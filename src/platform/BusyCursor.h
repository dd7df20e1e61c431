#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quil {

// The busy cursor for as long as it lives, however the work it covers ends
// (an exception included).
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace quil
