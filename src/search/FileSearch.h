#pragma once

#include "search/DirectoryReader.h"
#include "search/FolderListingCache.h"
#include "search/SearchObserver.h"
#include "search/SearchRequest.h"

#include <QByteArray>
#include <QStringList>
#include <stop_token>
#include <vector>

namespace quil {

class SearchMask;
class ParallelTextTest;

// The file search: finds the entries below a root folder whose names match a
// name and an extension pattern (the file system's wildcard rules) and,
// optionally, only files that hold a text. It runs synchronously in the
// calling thread and reports through a SearchObserver, which lets the window
// stay alive and press Stop.
//
// Folders are searched in the order of FolderList: the root, then a
// depth-first walk that takes each folder's subfolders in the reverse of the
// order the file system lists them. Hidden subfolders (names beginning with
// ".") are neither searched nor entered, links to folders are not entered;
// inside a searched folder every entry but "." and ".." is tested, hidden
// ones and folders included. StopRequested is honoured before each folder of
// the collection of subfolders, before each entry that matches the mask, and
// between the chunks of a file's text test.
class FileSearch
{
public:
    static QString missingRootText();       // "Выбранной папки не существует."
    static const QString kMissingRootTitle; // "Error"
    static QString foundText();             // "Поиск успешен! Выбери то, что нужно."
    static QString nothingFoundText();      // "К сожалению, ничего не найдено..."
    static const QString kClosingTitle;     // the program's title, "QUIL"

    explicit FileSearch(SearchObserver &observer);
    ~FileSearch();
    FileSearch(const FileSearch &) = delete;
    FileSearch &operator=(const FileSearch &) = delete;

    // Start: runs one whole search and returns when it has ended or been
    // stopped. Stop is a request on the source of stop (from any thread):
    // StopRequested, which the running search notices at its next check
    // point. Each search gets a token of its own, so a Stop while idle has no
    // effect on the next search. The root is trimmed, its trailing "/"
    // removed ("/" itself searches the root folder, results reading "/name"), a relative root is
    // taken from the current folder, and the root becomes the process's
    // current folder. Ignored (AlreadyRunning) while a search runs, for a call
    // from inside the observer. Cost: one pass over the folders to collect
    // them, one to match (which reuses the listings of folders unchanged
    // since), and a read of every file the mask admits when the text is
    // asked for.
    SearchEnd start(const SearchRequest &request, std::stop_token stop = {});

    bool isRunning() const { return m_running; }
    // Whether the running search was asked to stop.
    bool StopRequested() const { return m_stop.stop_requested(); }
    // The full paths of the matches of the last search, in the order found.
    const QStringList &FoundList() const { return m_foundList; }
    qsizetype FoundCount() const { return m_foundCount; }
    // CurrentFilePath: the full path of the entry the search examined last
    // (empty before the first). Built on request, so examining costs nothing.
    QString currentFilePath() const;

    // Folders changed less than this many seconds before the collection read
    // them are read again at their turn (see FolderListingCache; default 2;
    // a negative window keeps even folders changed just now).
    void setRecentChangeWindow(int seconds) { m_cache = FolderListingCache(seconds); }

private:
    struct Folder
    {
        QByteArray path;        // native, "" for "/"
        qsizetype listing = -1; // its listing kept by the collection, if any
    };

    SearchEnd run(const SearchRequest &request);
    void CollectFolders(const QByteArray &root);
    void AddSubfolders(Folder &folder);
    SearchEnd searchFolder(const Folder &folder, SearchMask &mask, ParallelTextTest *textTest);
    // A match: into the found list, and told.
    void found(const QString &path);
    bool openForMatching(const Folder &folder, bool needFd);
    qsizetype folderListLength() const;

    SearchObserver &m_observer;
    DirectoryReader m_reader;
    bool m_running = false;
    std::stop_token m_stop; // the running search's
    QStringList m_foundList;
    qsizetype m_foundCount = 0;
    QByteArray m_currentPath; // native bytes
    // FolderList while collecting: the folders taken so far, and the ones
    // still to expand with the next one last.
    std::vector<Folder> m_folderList;
    std::vector<Folder> m_pending;
    FolderListingCache m_cache;
    QByteArray m_root; // native, "" for "/"
};

} // namespace quil
