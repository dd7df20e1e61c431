#pragma once

#include <QByteArray>

#include <functional>
#include <stop_token>
#include <sys/stat.h>

namespace quil::fileop {

// Walks the item name in the open folder parent and everything under it,
// depth first, without recursion and without following links, calling
// visit with each item's own data; visit answers false to stop the walk.
// Folders that cannot be read are passed over. Answers false when stopped
// by visit or by a stop of cancel.
bool scanTree(int parent, const QByteArray &name, const std::function<bool(const struct stat &)> &visit,
              const std::stop_token &cancel);

} // namespace quil::fileop
