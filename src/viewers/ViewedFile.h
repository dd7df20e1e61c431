#pragma once

#include "platform/UniqueFd.h"

#include <QString>

typedef struct _GFile GFile;
typedef struct _GFileInputStream GFileInputStream;

namespace quil {

// A file a viewer reads: a path of the disk, opened non-blocking so that a
// FIFO given as the file cannot hang the viewer, or the URI of a file at a
// GIO location (a network folder, an archive opened as a folder), read
// through GIO one range at a time, never whole. Throws OsError, or QuilError
// with GIO's own text.
class ViewedFile
{
public:
    explicit ViewedFile(const QString &pathOrUri);
    ~ViewedFile();
    ViewedFile(const ViewedFile &) = delete;
    ViewedFile &operator=(const ViewedFile &) = delete;

    // Whether the text is a URI (a GIO location's file) rather than a path.
    static bool isUri(const QString &pathOrUri);
    // The size of the file the text names; 0 when it does not exist or
    // cannot be examined.
    static qint64 sizeOf(const QString &pathOrUri);

    // Reads up to count bytes at offset; fewer only at the end of the file.
    size_t read(void *into, size_t count, qint64 offset);
    // The file will be read from its start to its end.
    void readsInOrder();

private:
    size_t readFromStream(char *into, size_t count, qint64 offset);
    void openStream();

    UniqueFd m_fd;
    GFile *m_file = nullptr;
    GFileInputStream *m_stream = nullptr;
    // Where the stream stands: a stream that cannot seek is read on, or
    // opened again to go back.
    qint64 m_streamAt = 0;
};

} // namespace quil
