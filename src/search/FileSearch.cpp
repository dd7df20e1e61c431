#include "search/FileSearch.h"

#include "platform/NativePath.h"
#include "platform/PosixIo.h"
#include "platform/TextFormat.h"
#include "search/ParallelTextTest.h"
#include "search/SearchMask.h"
#include "search/TextFinder.h"

#include <QCoreApplication>
#include <climits>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

QString FileSearch::missingRootText()
{
    return QCoreApplication::translate("FileSearch", "Выбранной папки не существует.");
}
const QString FileSearch::kMissingRootTitle = QStringLiteral("Error");
QString FileSearch::foundText()
{
    return QCoreApplication::translate("FileSearch", "Поиск успешен! Выбери то, что нужно.");
}
QString FileSearch::nothingFoundText()
{
    return QCoreApplication::translate("FileSearch", "К сожалению, ничего не найдено...");
}
const QString FileSearch::kClosingTitle = QStringLiteral("QUIL");

namespace {

// The root folder "/" is kept as the empty path, so that its entries read "/name".
const char *forOpen(const QByteArray &folder)
{
    return folder.isEmpty() ? "/" : folder.constData();
}

} // namespace

FileSearch::FileSearch(SearchObserver &observer) : m_observer(observer) {}

FileSearch::~FileSearch() = default;

QString FileSearch::currentFilePath() const
{
    return fromNative(m_currentPath);
}

SearchEnd FileSearch::start(const SearchRequest &request, std::stop_token stop)
{
    if (m_running)
        return SearchEnd::AlreadyRunning;
    m_running = true;
    m_stop = std::move(stop);
    const SearchEnd how = run(request);
    m_folderList.clear();
    m_folderList.shrink_to_fit();
    m_pending.clear();
    m_cache.clear();
    m_stop = {};
    m_running = false;
    m_observer.searchEnded(how);
    if (how == SearchEnd::Finished || how == SearchEnd::Stopped)
        m_observer.showMessage(m_foundCount > 0 ? foundText() : nothingFoundText(), kClosingTitle,
                               Dialogs::Icon::Information);
    return how;
}

SearchEnd FileSearch::run(const SearchRequest &request)
{
    m_foundList.clear();
    m_foundCount = 0;
    m_observer.searchStarted();
    m_observer.foldersToSearchChanged(1);
    m_observer.foldersDoneChanged(0);
    m_observer.foundCountChanged(0);

    QString rootText = trimControls(request.rootFolder);
    if (rootText.isEmpty())
        return SearchEnd::EmptyRoot;
    const bool relative = !rootText.startsWith(QLatin1Char('/'));
    // "/dir/", "/dir//" and "/dir" are one folder; "/" itself becomes the empty path.
    while (rootText.endsWith(QLatin1Char('/')))
        rootText.chop(1);
    QByteArray root = toNative(rootText);
    if (relative) {
        // Results must name their files wherever the current folder goes next.
        const QByteArray here = posix::currentFolder();
        if (!here.isEmpty())
            root = (here == "/" ? QByteArray() : here) + '/' + root;
    }
    m_root = root;
    if (::chdir(forOpen(root)) != 0) {
        m_observer.showMessage(missingRootText(), kMissingRootTitle, Dialogs::Icon::None);
        return SearchEnd::MissingRoot;
    }

    m_observer.processPendingMessages();
    m_foundCount = 0;
    m_folderList.clear();
    if (request.subfolders)
        CollectFolders(root);
    else
        m_folderList.push_back({root});

    SearchMask mask(request.name, request.extension);
    // The text test runs on two threads, each with a finder of its own.
    std::unique_ptr<TextFinder> finder;
    std::unique_ptr<TextFinder> helperFinder;
    std::unique_ptr<ParallelTextTest> textTest;
    if (request.withText) {
        const QString text = trimControls(request.text);
        finder = std::make_unique<TextFinder>(text, request.dos);
        finder->setPendingMessages([this] { m_observer.processPendingMessages(); });
        finder->setStopToken(m_stop);
        helperFinder = std::make_unique<TextFinder>(text, request.dos);
        helperFinder->setStopToken(m_stop);
        textTest = std::make_unique<ParallelTextTest>(*finder, *helperFinder);
    }
    qsizetype done = 0;
    for (const Folder &folder : m_folderList) {
        if (searchFolder(folder, mask, textTest.get()) == SearchEnd::Stopped)
            return SearchEnd::Stopped;
        m_observer.foldersDoneChanged(++done);
    }
    return SearchEnd::Finished;
}

qsizetype FileSearch::folderListLength() const
{
    return qsizetype(m_folderList.size() + m_pending.size());
}

void FileSearch::CollectFolders(const QByteArray &root)
{
    struct stat st;
    if (::stat(forOpen(root), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    // A depth-first walk with a stack gives the order of inserting every
    // folder's subfolders right after it, in reverse, without the inserts.
    Folder rootFolder{root};
    AddSubfolders(rootFolder);
    while (!m_pending.empty()) {
        m_observer.processPendingMessages();
        if (StopRequested()) {
            // What was collected so far, in list order, without the root.
            m_folderList.insert(m_folderList.end(), std::make_move_iterator(m_pending.rbegin()),
                                std::make_move_iterator(m_pending.rend()));
            m_pending.clear();
            return;
        }
        m_folderList.push_back(std::move(m_pending.back()));
        m_pending.pop_back();
        AddSubfolders(m_folderList.back());
    }
    m_folderList.insert(m_folderList.begin(), std::move(rootFolder));
    m_observer.foldersToSearchChanged(qsizetype(m_folderList.size()));
}

void FileSearch::AddSubfolders(Folder &folder)
{
    if (!m_reader.open(forOpen(folder.path), folder.path == m_root))
        return;
    const qsizetype listing = m_cache.startRecording(m_reader.fd());
    int files = 0;
    DirectoryReader::Entry entry;
    while (m_reader.next(entry)) {
        m_cache.record(entry);
        if (entry.type == DirectoryReader::Type::Directory) {
            if (entry.name[0] != '.') {
                QByteArray path;
                path.reserve(folder.path.size() + 1 + entry.length);
                path.append(folder.path).append('/').append(entry.name, entry.length);
                m_pending.push_back({std::move(path)});
            }
        } else if (++files > 50) {
            m_observer.foldersToSearchChanged(folderListLength());
            files = 0;
        }
        m_observer.processPendingMessages();
    }
    m_cache.finishRecording();
    // A listing cut short by an error is read again at the folder's turn.
    folder.listing = m_reader.failed() ? -1 : listing;
    m_reader.close();
}

bool FileSearch::openForMatching(const Folder &folder, bool needFd)
{
    const bool follow = folder.path == m_root;
    const char *path = forOpen(folder.path);
    if (needFd || folder.listing < 0) {
        if (!m_reader.open(path, follow))
            return false;
        if (const auto kept = m_cache.listing(folder.listing, m_reader.fd(), path, follow))
            m_reader.replay(*kept);
        return true;
    }
    // A name search needs no open folder when its listing is still true.
    if (const auto kept = m_cache.listing(folder.listing, -1, path, follow)) {
        m_reader.close();
        m_reader.replay(*kept);
        return true;
    }
    return m_reader.open(path, follow);
}

SearchEnd FileSearch::searchFolder(const Folder &folder, SearchMask &mask, ParallelTextTest *textTest)
{
    if (!openForMatching(folder, textTest != nullptr))
        return SearchEnd::Finished;
    const QByteArray &folderPath = folder.path;
    // With a text, the entries whose names match are tested together once
    // the folder has been read.
    std::vector<ParallelTextTest::Candidate> candidates;
    DirectoryReader::Entry entry;
    while (m_reader.next(entry)) {
        // Every entry lets pending messages through, matching or not, so the
        // window stays usable in a huge folder where nothing matches.
        if (!mask.matchesName(QByteArrayView(entry.name, entry.length))) {
            m_observer.processPendingMessages();
            continue;
        }
        if (StopRequested()) {
            m_reader.close();
            return SearchEnd::Stopped;
        }
        // Filled in place: the buffer grows to the longest path once.
        m_currentPath.resize(folderPath.size() + 1 + entry.length);
        char *out = m_currentPath.data();
        std::memcpy(out, folderPath.constData(), size_t(folderPath.size()));
        out[folderPath.size()] = '/';
        std::memcpy(out + folderPath.size() + 1, entry.name, size_t(entry.length));
        QString path = fromNative(m_currentPath);
        if (mask.fragmentMode() && !mask.matchesFragment(path)) {
            m_observer.processPendingMessages();
            continue;
        }
        // A candidate's pending messages come with its test.
        if (textTest != nullptr) {
            candidates.push_back({QByteArray(entry.name, entry.length), entry.type, std::move(path)});
            continue;
        }
        found(path);
        m_observer.processPendingMessages();
    }
    // The text test gives a file up for Stop: the search ends then, not at
    // the next folder.
    const bool stopped = textTest != nullptr && !candidates.empty() &&
                         !textTest->run(
                             m_reader.fd(), candidates, m_stop,
                             [this](const ParallelTextTest::Candidate &candidate) { found(candidate.path); },
                             [this] { m_observer.processPendingMessages(); });
    m_reader.close();
    return stopped ? SearchEnd::Stopped : SearchEnd::Finished;
}

void FileSearch::found(const QString &path)
{
    m_foundList.append(path);
    ++m_foundCount;
    m_observer.foundCountChanged(m_foundCount);
    m_observer.matchFound(path);
}

} // namespace quil
