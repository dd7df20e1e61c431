#pragma once

namespace quil {

// What screen readers are told beyond Qt's own:
// - an open popup menu without a parent widget (the list's context menu) is
//   one of the application's windows; Qt leaves every popup out, so a reader
//   walking the windows never finds an open menu or its items;
// - an editable box given a name of its own (the path box, named by its
//   label) is read by that name with its text as value; Qt's box on Linux is
//   read by its text alone.
// Call once, before the first accessibility query.
void installAccessibleInterfaces();

} // namespace quil
