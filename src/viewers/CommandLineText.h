#pragma once

#include <QString>

namespace quil {

// A typed command line cut into the program part and its parameter text.
struct CommandLineParts
{
    // A leading quoted program keeps both quotes; an unclosed quote leaves
    // the quote alone as the program.
    QString program;
    QString parameters;
};

// A line that starts with a double quote: the program runs to the next
// quote, and one character after it (normally the blank) is skipped.
// Otherwise the program is the text before the first blank and the
// parameters the text after it.
CommandLineParts splitCommandLine(const QString &line);

// Whether the parameter text is passed at all: an empty text and a single
// blank start the program without parameters.
bool hasParameters(const QString &parameters);

} // namespace quil
