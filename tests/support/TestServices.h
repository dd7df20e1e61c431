#pragma once

#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"
#include "support/TempTree.h"

// The real launcher, counting what it was asked to start or open, so that a
// test can tell at once that a command started nothing.
struct CountingLauncher : quil::Launcher
{
    int requests = 0;

    bool openDocument(const QString &path) override
    {
        ++requests;
        return Launcher::openDocument(path);
    }
    bool openUri(const QString &uri) override
    {
        ++requests;
        return Launcher::openUri(uri);
    }
    bool openWith(const QString &applicationId, const QString &path) override
    {
        ++requests;
        return Launcher::openWith(applicationId, path);
    }
    bool run(const QString &program, const QString &parameters = {},
             ArgumentForm form = ArgumentForm::OneArgument) override
    {
        ++requests;
        return Launcher::run(program, parameters, form);
    }
    std::unique_ptr<quil::StartedProcess> start(const QString &program, const QString &parameters = {},
                                                ArgumentForm form = ArgumentForm::OneArgument) override
    {
        ++requests;
        return Launcher::start(program, parameters, form);
    }
    std::unique_ptr<quil::StartedProcess> startDefaultApplication(const QString &contentType,
                                                                  const QString &path) override
    {
        ++requests;
        return Launcher::startDefaultApplication(contentType, path);
    }
};

// The services a window test hands to the windows: scripted dialogs, the real
// launcher (counting its requests) and a temporary settings folder, which also
// stands for the program folder (so no help file is found there). Link
// quil_platform to use it.
struct TestServices
{
    TempTree settings;
    quil::ScriptedDialogs dialogs;
    CountingLauncher launcher;
    quil::Services services{dialogs, launcher, quil::FolderPath(settings.root()), quil::FolderPath(settings.root())};
};
