#pragma once

#include <QFont>

namespace quil {

// The windows' bold Arial of a pixel height; Liberation Sans has Arial's
// metrics, so the stored layouts keep their fit.
QFont arialBold(int pixels);

} // namespace quil
