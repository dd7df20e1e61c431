#pragma once

#include "listing/FolderListing.h"
#include "platform/ItemId.h"

#include <QObject>

#include <exception>
#include <memory>

namespace quil {

class MountQuestions;

// One reading of a folder for the main list, off the window's way: it tells
// the entries read so far (progress), ends once with finished, failed or
// cancelled, and leaves its entries sorted in a listing of its own, which
// the list takes over. Made by FolderReading::make for the kind of folder.
class FolderReading : public QObject
{
    Q_OBJECT
public:
    // The reading that suits the folder, its listing sorted and filtered as
    // like says (sort key, hidden entries). A location that must be mounted
    // first asks its questions through questions.
    static std::unique_ptr<FolderReading> make(const ItemId &folder, const FolderListing &like,
                                               MountQuestions *questions);

    void start();
    // Stops the reading: only cancelled follows, at once.
    void cancel();
    bool ended() const { return m_ended; }
    // Whether it ended with finished.
    bool finishedWell() const { return m_finishedWell; }

    // The sorted entries, once finished.
    FolderListing &result() { return m_result; }
    // What failed raises (an OsError, or a QuilError with the location's
    // own text).
    std::exception_ptr error() const { return m_error; }

Q_SIGNALS:
    void progress(long long entriesRead);
    void finished();
    void failed();
    void cancelled();

protected:
    FolderReading(const ItemId &folder, const FolderListing &like);
    virtual void begin() = 0;
    virtual void stop() = 0;

    void finish();
    void fail(std::exception_ptr error);

    const ItemId m_folder;
    FolderListing m_result;

private:
    std::exception_ptr m_error;
    bool m_ended = false;
    bool m_finishedWell = false;
};

} // namespace quil
