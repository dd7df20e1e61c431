#pragma once

#include "platform/FolderPath.h"
#include "platform/StartedProcess.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace quil {

// Starts programs and opens documents, in place of the shell's execute
// operation. Programs are started directly (never through a shell) in the
// process's current folder; names and arguments reach them byte for byte.
// Each call answers success (the program or application was started) or
// failure; none waits for the started program.
class Launcher
{
public:
    // How a parameter string becomes arguments.
    enum class ArgumentForm {
        OneArgument, // the whole string is one argument (a path the caller built); empty: none
        Split,       // split like a typed command line (QProcess::splitCommand)
    };

    Launcher() = default;
    virtual ~Launcher() = default;
    Launcher(const Launcher &) = delete;
    Launcher &operator=(const Launcher &) = delete;

    // Opens a file or folder with the default application for its type (GIO).
    // A file of a GIO location, named by its URI, reaches an application that
    // takes URIs as its URI, any other as a local path (gvfs's own, else a
    // temporary copy). Fails when the file is missing or no application
    // takes the type.
    virtual bool openDocument(const QString &path);
    // Opens an address (such as a web site) with the default application of
    // its scheme.
    virtual bool openUri(const QString &uri);
    // Opens a file or folder with one application, named by its desktop id
    // ("org.gnome.gedit.desktop"); the path reaches it as one argument.
    virtual bool openWith(const QString &applicationId, const QString &path);

    // Runs a program with a parameter string. The program is a path (may be
    // enclosed in double quotes), or a name found on PATH, or else a name in
    // the current folder. An existing file that is not executable, or a
    // folder, is opened with its default application instead (the parameters
    // are then not used). Fails when the program is missing or cannot start.
    virtual bool run(const QString &program, const QString &parameters = {},
                     ArgumentForm form = ArgumentForm::OneArgument);

    // As run, but hands back the started program so the caller can learn
    // when it has ended; null on failure. A document opened instead yields
    // the application started for it.
    virtual std::unique_ptr<StartedProcess> start(const QString &program, const QString &parameters = {},
                                                  ArgumentForm form = ArgumentForm::OneArgument);

    // Whether an application is registered as the default for a content type
    // (such as "text/plain", the system text editor).
    virtual bool hasDefaultApplication(const QString &contentType);
    // Opens a path with the default application of a content type; the file
    // need not exist yet (an editor creates it on saving). Null on failure.
    virtual std::unique_ptr<StartedProcess> startDefaultApplication(const QString &contentType, const QString &path);

    // Makes folder the process's current folder, where started programs
    // begin; a virtual folder (empty path) stands for the home folder. False,
    // with errno set, when the folder cannot be entered.
    static bool enterFolder(const FolderPath &folder);

    // The arguments a parameter string gives in a form.
    static QStringList arguments(const QString &parameters, ArgumentForm form);
    // The program file a program text names: its path when it names an
    // executable or a document; empty when nothing is found. Sets isDocument
    // for a file or folder to be opened rather than executed.
    static QString resolveProgram(const QString &program, bool *isDocument = nullptr);
};

} // namespace quil
