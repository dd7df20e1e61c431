#pragma once

namespace quil {

// Held around the making of the application object: when the window system
// cannot be reached (no display, no usable platform plugin), the program
// ends with one line on stderr saying so and exit status 1, instead of Qt's
// messages and an abort. The messages Qt gives while it starts are held and
// passed on once it stands.
class DisplayStart
{
public:
    explicit DisplayStart(const char *program);
    ~DisplayStart();
    DisplayStart(const DisplayStart &) = delete;
    DisplayStart &operator=(const DisplayStart &) = delete;
};

} // namespace quil
