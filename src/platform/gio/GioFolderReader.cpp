#include "platform/gio/GioFolderReader.h"

#include "platform/gio/GObjectRef.h"
#include "platform/gio/MountQuestions.h"

#include <QPointer>

#include <gio/gio.h>

namespace quil {

namespace {

constexpr int kBatch = 256;
constexpr const char *kAttributes = "standard::name,standard::display-name,standard::type,standard::size,"
                                    "standard::is-hidden,standard::is-backup,standard::is-symlink,"
                                    "standard::fast-content-type,time::modified,time::modified-usec,"
                                    "access::can-write,trash::orig-path,trash::deletion-date";

GioEntry entryFrom(GFileInfo *info)
{
    GioEntry entry;
    entry.name = g_file_info_get_name(info);
    entry.displayName = QString::fromUtf8(g_file_info_get_display_name(info));
    if (const char *type = g_file_info_get_attribute_string(info, G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE))
        entry.contentType = QString::fromUtf8(type);
    entry.size = g_file_info_get_size(info);
    entry.isFolder = g_file_info_get_file_type(info) == G_FILE_TYPE_DIRECTORY;
    entry.isLink = g_file_info_get_is_symlink(info);
    entry.hidden = g_file_info_get_is_hidden(info) || g_file_info_get_is_backup(info);
    if (g_file_info_has_attribute(info, G_FILE_ATTRIBUTE_ACCESS_CAN_WRITE))
        entry.readOnly = !g_file_info_get_attribute_boolean(info, G_FILE_ATTRIBUTE_ACCESS_CAN_WRITE);
    if (g_file_info_has_attribute(info, G_FILE_ATTRIBUTE_TIME_MODIFIED)) {
        const qint64 seconds = qint64(g_file_info_get_attribute_uint64(info, G_FILE_ATTRIBUTE_TIME_MODIFIED));
        const qint64 micro = g_file_info_get_attribute_uint32(info, G_FILE_ATTRIBUTE_TIME_MODIFIED_USEC);
        entry.modified = QDateTime::fromMSecsSinceEpoch(seconds * 1000 + micro / 1000);
    }
    if (const char *original = g_file_info_get_attribute_byte_string(info, G_FILE_ATTRIBUTE_TRASH_ORIG_PATH))
        entry.originalPath = original;
    // Local time, as the trash's info files keep it.
    if (const char *deleted = g_file_info_get_attribute_string(info, G_FILE_ATTRIBUTE_TRASH_DELETION_DATE))
        entry.deleted = QDateTime::fromString(QString::fromUtf8(deleted), Qt::ISODate);
    return entry;
}

QString messageOf(const GError *error)
{
    return error && error->message ? QString::fromUtf8(error->message) : QString();
}

} // namespace

// One reading. It lives until GIO's last callback for it has run, which may
// be after its reader has cancelled it or is gone: the callbacks then only
// clean up.
struct GioFolderReader::Job
{
    QPointer<GioFolderReader> reader;
    MountQuestions *questions = nullptr;
    GObjectRef<GFile> folder;
    GObjectRef<GCancellable> cancellable{g_cancellable_new()};
    GObjectRef<GFileEnumerator> enumerator;
    GObjectRef<GMountOperation> mountOperation;
    bool mountTried = false;
    bool abandoned = false;

    ~Job()
    {
        if (mountOperation)
            g_signal_handlers_disconnect_by_data(mountOperation.get(), this);
    }

    // The reader still waits for this job.
    bool current() const { return !abandoned && reader && reader->m_job == this; }

    void end()
    {
        if (reader && reader->m_job == this)
            reader->m_job = nullptr;
        delete this;
    }

    void fail(const GError *error)
    {
        QPointer<GioFolderReader> owner = reader;
        const QString message = messageOf(error);
        end();
        if (owner)
            Q_EMIT owner->failed(message);
    }

    void enumerate()
    {
        g_file_enumerate_children_async(folder.get(), kAttributes, G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS,
                                        G_PRIORITY_DEFAULT, cancellable.get(), &Job::enumerated, this);
    }

    void readNext()
    {
        g_file_enumerator_next_files_async(enumerator.get(), kBatch, G_PRIORITY_DEFAULT, cancellable.get(),
                                           &Job::batchRead, this);
    }

    void mount()
    {
        mountTried = true;
        mountOperation = GObjectRef<GMountOperation>(g_mount_operation_new());
        g_signal_connect(mountOperation.get(), "ask-password", G_CALLBACK(&Job::askPassword), this);
        g_signal_connect(mountOperation.get(), "ask-question", G_CALLBACK(&Job::askQuestion), this);
        g_file_mount_enclosing_volume(folder.get(), G_MOUNT_MOUNT_NONE, mountOperation.get(), cancellable.get(),
                                      &Job::mounted, this);
    }

    static void enumerated(GObject *source, GAsyncResult *result, gpointer data)
    {
        auto *job = static_cast<Job *>(data);
        GError *error = nullptr;
        GFileEnumerator *enumerator = g_file_enumerate_children_finish(G_FILE(source), result, &error);
        if (!job->current()) {
            if (enumerator)
                g_object_unref(enumerator);
            g_clear_error(&error);
            job->end();
            return;
        }
        if (!enumerator) {
            if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_MOUNTED) && !job->mountTried) {
                g_error_free(error);
                job->mount();
                return;
            }
            job->fail(error);
            g_error_free(error);
            return;
        }
        job->enumerator = GObjectRef<GFileEnumerator>(enumerator);
        job->readNext();
    }

    static void mounted(GObject *source, GAsyncResult *result, gpointer data)
    {
        auto *job = static_cast<Job *>(data);
        GError *error = nullptr;
        const bool ok = g_file_mount_enclosing_volume_finish(G_FILE(source), result, &error);
        // Mounted meanwhile by another program: as good as mounted here.
        const bool mounted = ok || g_error_matches(error, G_IO_ERROR, G_IO_ERROR_ALREADY_MOUNTED);
        if (!job->current()) {
            g_clear_error(&error);
            job->end();
            return;
        }
        if (!mounted) {
            job->fail(error);
            g_error_free(error);
            return;
        }
        g_clear_error(&error);
        job->enumerate();
    }

    static void batchRead(GObject *source, GAsyncResult *result, gpointer data)
    {
        auto *job = static_cast<Job *>(data);
        GError *error = nullptr;
        GList *infos = g_file_enumerator_next_files_finish(G_FILE_ENUMERATOR(source), result, &error);
        if (!job->current()) {
            g_list_free_full(infos, g_object_unref);
            g_clear_error(&error);
            job->end();
            return;
        }
        if (error) {
            job->fail(error);
            g_error_free(error);
            return;
        }
        if (!infos) {
            QPointer<GioFolderReader> owner = job->reader;
            job->end();
            if (owner)
                Q_EMIT owner->finished();
            return;
        }
        std::vector<GioEntry> batch;
        for (GList *item = infos; item; item = item->next)
            batch.push_back(entryFrom(G_FILE_INFO(item->data)));
        g_list_free_full(infos, g_object_unref);
        QPointer<GioFolderReader> owner = job->reader;
        Q_EMIT owner->entriesRead(batch);
        // A slot may have cancelled the reading or started another one.
        if (!job->current()) {
            job->end();
            return;
        }
        job->readNext();
    }

    static void askPassword(GMountOperation *operation, gchar *message, gchar *defaultUser, gchar *defaultDomain,
                            GAskPasswordFlags flags, gpointer data)
    {
        auto *job = static_cast<Job *>(data);
        if (!job->current() || !job->questions) {
            g_mount_operation_reply(operation, G_MOUNT_OPERATION_ABORTED);
            return;
        }
        MountQuestions::PasswordRequest request;
        request.message = QString::fromUtf8(message);
        request.defaultUser = QString::fromUtf8(defaultUser);
        request.defaultDomain = QString::fromUtf8(defaultDomain);
        request.needsUser = flags & G_ASK_PASSWORD_NEED_USERNAME;
        request.needsDomain = flags & G_ASK_PASSWORD_NEED_DOMAIN;
        request.needsPassword = flags & G_ASK_PASSWORD_NEED_PASSWORD;
        request.anonymousAllowed = flags & G_ASK_PASSWORD_ANONYMOUS_SUPPORTED;
        request.canRemember = flags & G_ASK_PASSWORD_SAVING_SUPPORTED;
        const std::optional<MountQuestions::PasswordAnswer> answer = job->questions->askPassword(request);
        if (!answer) {
            g_mount_operation_reply(operation, G_MOUNT_OPERATION_ABORTED);
            return;
        }
        g_mount_operation_set_anonymous(operation, answer->anonymous);
        g_mount_operation_set_username(operation, answer->user.toUtf8().constData());
        g_mount_operation_set_domain(operation, answer->domain.toUtf8().constData());
        g_mount_operation_set_password(operation, answer->password.toUtf8().constData());
        g_mount_operation_set_password_save(
            operation, answer->remember && request.canRemember ? G_PASSWORD_SAVE_PERMANENTLY : G_PASSWORD_SAVE_NEVER);
        g_mount_operation_reply(operation, G_MOUNT_OPERATION_HANDLED);
    }

    static void askQuestion(GMountOperation *operation, gchar *message, GStrv choices, gpointer data)
    {
        auto *job = static_cast<Job *>(data);
        QStringList choiceTexts;
        for (GStrv choice = choices; choice && *choice; ++choice)
            choiceTexts << QString::fromUtf8(*choice);
        const std::optional<int> chosen = job->current() && job->questions
                                              ? job->questions->askQuestion(QString::fromUtf8(message), choiceTexts)
                                              : std::nullopt;
        if (!chosen || *chosen < 0 || *chosen >= choiceTexts.size()) {
            g_mount_operation_reply(operation, G_MOUNT_OPERATION_ABORTED);
            return;
        }
        g_mount_operation_set_choice(operation, *chosen);
        g_mount_operation_reply(operation, G_MOUNT_OPERATION_HANDLED);
    }
};

GioFolderReader::GioFolderReader(MountQuestions *questions, QObject *parent) : QObject(parent), m_questions(questions)
{}

GioFolderReader::~GioFolderReader()
{
    if (m_job) {
        m_job->abandoned = true;
        g_cancellable_cancel(m_job->cancellable.get());
    }
}

void GioFolderReader::start(const QString &uri)
{
    if (m_job)
        cancel();
    m_job = new Job;
    m_job->reader = this;
    m_job->questions = m_questions;
    m_job->folder = GObjectRef<GFile>(g_file_new_for_uri(uri.toUtf8().constData()));
    m_job->enumerate();
}

void GioFolderReader::cancel()
{
    if (!m_job)
        return;
    Job *job = std::exchange(m_job, nullptr);
    job->abandoned = true;
    g_cancellable_cancel(job->cancellable.get());
    Q_EMIT cancelled();
}

} // namespace quil
