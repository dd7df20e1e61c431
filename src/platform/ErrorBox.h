#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace quil {

class Dialogs;

// Shows a caught error in the general error box: the message of a QuilError,
// the what() text of any other std::exception.
void showErrorBox(Dialogs &dialogs, const std::exception &error);

// Runs an event handler and reports what it raises in the general error box,
// so that a failing handler stops there and the program goes on. Returns
// false when the handler raised.
bool runHandler(Dialogs &dialogs, const std::function<void()> &handler);

// The slot to connect in place of a handler that raises: each call runs the
// handler under runHandler, so its errors are reported once, where it is
// connected. dialogs must outlive the connection.
template <typename Handler> auto reportingErrors(Dialogs &dialogs, Handler handler)
{
    return [&dialogs, handler = std::move(handler)] { runHandler(dialogs, handler); };
}

} // namespace quil
