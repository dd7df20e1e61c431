#pragma once

#include <QString>
#include <exception>
#include <string>

namespace quil {

// An error raised by a handler and shown by the general error box. The message
// is the text the box shows, exactly.
class QuilError : public std::exception
{
public:
    explicit QuilError(QString message);
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A failing platform call: carries errno and the system's text for it.
// Code 0 means the call failed without telling why.
class OsError : public QuilError
{
public:
    explicit OsError(int code);
    // The error of the last failed call (errno).
    static OsError last();
    int code() const { return m_code; }

private:
    int m_code;
};

// The text of the general error box for a platform error code.
QString osErrorText(int code);

} // namespace quil
