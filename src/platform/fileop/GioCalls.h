#pragma once

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/OperationState.h"

#include <QByteArray>
#include <QString>

#include <gio/gio.h>

#include <cerrno>

// The GIO calls the file operation's jobs share on GIO locations.
namespace quil::fileop {

// A GFile for a path on disk or a GIO location's URI.
GFile *gioFileFor(const QString &pathOrUri);
// The item as the user reads it: a path on disk, a URI elsewhere.
QByteArray gioShownName(GFile *file);
QByteArray gioBaseName(GFile *file);
// The errno nearest to a GIO error, for the operation's first error.
int errnoOf(const GError *error);

// Runs step (true on success, else it sets its GError) until it succeeds or
// the user gives the item up; GIO's own text is the reason asked about.
template <typename Step> Outcome attemptGio(OperationState &state, GFile *file, Step step)
{
    for (;;) {
        if (state.cancelled())
            return Outcome::Cancelled;
        GError *error = nullptr;
        if (step(&error))
            return Outcome::Done;
        const bool cancelled = state.cancelled() || g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        const QString reason = error ? QString::fromUtf8(error->message) : QString();
        const int code = error ? errnoOf(error) : EIO;
        g_clear_error(&error);
        if (cancelled) {
            state.stop();
            return Outcome::Cancelled;
        }
        const OperationState::Choice choice = state.ask(gioShownName(file), reason, code);
        if (choice != OperationState::Choice::Retry)
            return OperationState::outcomeOf(choice);
    }
}

} // namespace quil::fileop
