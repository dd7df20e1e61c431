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

// A line that starts with a double quote: the program runs to the quote
// that closes it, and one character after it (normally the blank) is
// skipped. Inside the quotes three quotes in a row stand for one quote, as
// in the parameters' splitting rule (QProcess::splitCommand), so a quoted
// path holding quotes stays whole. Otherwise the program is the text before
// the first blank and the parameters the text after it.
CommandLineParts splitCommandLine(const QString &line);

// The program to start for a program part: a quoted one without its quotes,
// each three quotes inside read as one; any other as it stands.
QString programOfPart(const QString &program);

// A path as one argument of a command line: between double quotes, each
// quote inside written as three, so that no name ends the argument early or
// adds arguments of its own, whatever characters it holds.
QString quotedArgument(const QString &path);

// Whether the parameter text is passed at all: an empty text and a single
// blank start the program without parameters.
bool hasParameters(const QString &parameters);

} // namespace quil
