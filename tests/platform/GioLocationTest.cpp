#include "platform/gio/GioLocation.h"
#include "platform/OsError.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "platform/gio/GioFolderReader.h"
#include "platform/gio/MountQuestions.h"
#include "support/TempTree.h"
#include "support/TestSshServer.h"
#include "viewers/FileSearcher.h"
#include "viewers/FileViewModel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gio/gio.h>

#include <deque>

using namespace quil;

namespace {

// Answers a mount's questions from a script and keeps what was asked.
class ScriptedMountQuestions : public MountQuestions
{
public:
    std::deque<std::optional<PasswordAnswer>> passwords;
    std::deque<std::optional<int>> choices;
    QStringList asked;

    std::optional<PasswordAnswer> askPassword(const PasswordRequest &request) override
    {
        asked << request.message;
        if (passwords.empty())
            return std::nullopt;
        const bool given = passwords.front().has_value();
        const PasswordAnswer answer = given ? *passwords.front() : PasswordAnswer{};
        passwords.pop_front();
        return given ? std::optional<PasswordAnswer>(answer) : std::nullopt;
    }
    std::optional<int> askQuestion(const QString &message, const QStringList &) override
    {
        asked << message;
        if (choices.empty())
            return std::nullopt;
        auto answer = choices.front();
        choices.pop_front();
        return answer;
    }
};

struct ReadResult
{
    QStringList names; // sorted
    QString error;
};

ReadResult readFolder(const QString &uri, MountQuestions *questions)
{
    GioFolderReader reader(questions);
    ReadResult result;
    QObject::connect(&reader, &GioFolderReader::entriesRead, [&](const std::vector<GioEntry> &batch) {
        for (const GioEntry &entry : batch)
            result.names << QString::fromUtf8(entry.name) + (entry.isFolder ? QStringLiteral("/") : QString());
    });
    QObject::connect(&reader, &GioFolderReader::failed, [&](const QString &message) { result.error = message; });
    QSignalSpy finished(&reader, &GioFolderReader::finished);
    QSignalSpy failed(&reader, &GioFolderReader::failed);
    reader.start(uri);
    // Mounting over ssh takes a few seconds at most; this is only a bound.
    if (!QTest::qWaitFor([&] { return !finished.isEmpty() || !failed.isEmpty(); }, 60000))
        result.error = QStringLiteral("no answer");
    result.names.sort();
    return result;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool transfer(ScriptedDialogs &dialogs, const QStringList &sources, const QString &target, int operation,
              qint64 cancelAfter = -1)
{
    FileOperation transfer(dialogs, sources, target, operation, 0);
    transfer.setCancelAfterBytes(cancelAfter);
    return transfer.run();
}

} // namespace

class GioLocationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (!isGioLocation(QStringLiteral("trash:///")))
            QSKIP("no gvfs session here (run through gvfs_session.sh)");
    }

    void recognisesLocations()
    {
        const std::pair<const char *, bool> cases[] = {
            {"sftp://host/folder/", true},   {"SMB://server/share", true}, {"trash:///", true},
            {"file:///tmp", false},          {"/tmp/a:b", false},          {"user@host:/path", false},
            {"nosuchscheme://host/", false}, {"c:/windows", false},        {"1ab://x", false},
        };
        for (const auto &[text, expected] : cases)
            QVERIFY2(isGioLocation(QString::fromUtf8(text)) == expected, text);

        // Messages show a location readably, but never a path on disk
        // other than it is, nor bytes that are not text.
        const std::pair<const char *, const char *> shown[] = {
            {"sftp://h/%D0%B4%D0%B2%D0%B0%20%232.txt", "sftp://h/два #2.txt"},
            {"/tmp/100%25", "/tmp/100%25"},
            {"sftp://h/%FF%FE", "sftp://h/%FF%FE"},
            {"sftp://h/a%0Ab", "sftp://h/a%0Ab"},
        };
        for (const auto &[uri, expected] : shown)
            QCOMPARE(readableLocation(QString::fromUtf8(uri)), QString::fromUtf8(expected));
    }

    void readsTheTrashAndAnArchive()
    {
        TempTree tree;
        tree.file("trashed.txt", "x");
        GFile *file = g_file_new_for_path(tree.path("trashed.txt").toUtf8().constData());
        QVERIFY(g_file_trash(file, nullptr, nullptr));
        g_object_unref(file);
        QVERIFY(readFolder(QStringLiteral("trash:///"), nullptr).names.contains(QStringLiteral("trashed.txt")));

        tree.folder("pack");
        tree.folder("pack/inner");
        tree.file("pack/top.txt", "t");
        tree.file("pack/inner/deep.txt", "d");
        tree.tarGz("a b.tar.gz", "pack");
        const QString top = archiveLocation(tree.path("a b.tar.gz").toUtf8());
        QCOMPARE(readFolder(top, nullptr).names, QStringList({"inner/", "top.txt"}));
        QCOMPARE(readFolder(top + QStringLiteral("inner/"), nullptr).names, QStringList({"deep.txt"}));
        QCOMPARE(gioParentLocation(top + QStringLiteral("inner/")), top);
        QVERIFY(gioParentLocation(top).isEmpty());
        QVERIFY(!readFolder(top + QStringLiteral("missing/"), nullptr).error.isEmpty());

        // Copying out of the archive extracts.
        ScriptedDialogs dialogs;
        const QString out = tree.folder("out");
        QVERIFY(transfer(dialogs, {top + QStringLiteral("inner"), top + QStringLiteral("top.txt")}, out, FO_COPY));
        QCOMPARE(contentOf(out + "/inner/deep.txt"), QByteArray("d"));
        QCOMPARE(contentOf(out + "/top.txt"), QByteArray("t"));
    }

    // The viewer reads a file of a location a range at a time, forward and
    // back: through a stream that seeks (GIO's own local files) and one that
    // only goes forward (a file in an archive), and its search finds a text.
    void viewerReadsRangesThroughGio()
    {
        TempTree tree;
        tree.folder("pack");
        QByteArray content;
        for (int line = 0; content.size() < 300000; ++line)
            content += QByteArray::number(line).rightJustified(8, '0') + '\n';
        content += "needle";
        tree.file("pack/big.txt", content);
        tree.tarGz("pack.tar.gz", "pack");
        const QString inArchive = archiveLocation(tree.path("pack.tar.gz").toUtf8()) + QStringLiteral("big.txt");
        QVERIFY(!readFolder(archiveLocation(tree.path("pack.tar.gz").toUtf8()), nullptr).names.isEmpty());
        const QString local = QUrl::fromLocalFile(tree.path("pack/big.txt")).toString();
        for (const QString &uri : {local, inArchive}) {
            QCOMPARE(FileViewModel::fileSize(uri), content.size());
            for (const qint64 offset : {qint64(200000), qint64(16), qint64(299990), qint64(0)})
                QCOMPARE(FileViewModel::readRange(uri, offset, 64), content.mid(offset, 64));
            QCOMPARE(FileSearcher::findInFile(uri, QStringLiteral("NEEDLE"), 0, ViewerCodePage::Win, {}),
                     content.size() - 6);
        }
        QVERIFY_THROWS_EXCEPTION(QuilError, FileViewModel::readRange(inArchive + QStringLiteral("x"), 0, 1));
    }

    // A real sshd on this machine: the host's key is asked about with its
    // fingerprint, a wrong password fails the mount, a key mounts it, and
    // files go there and back through the file operation.
    void readsAnSftpFolder()
    {
        TempTree tree;
        tree.folder("remote");
        tree.file("remote/one.txt", "1");
        const TestSshServer server(tree.root());
        if (!server.failure().isEmpty())
            QSKIP(qPrintable(server.failure()));
        const QString uri = server.uri(tree.path("remote"));

        ScriptedMountQuestions questions;
        questions.choices = {0, 0};
        questions.passwords = {MountQuestions::PasswordAnswer{false, "root", {}, "wrong", false}, std::nullopt};
        QVERIFY(!readFolder(uri, &questions).error.isEmpty());
        const QString shown = server.hostFingerprint();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(questions.asked.join('\n').contains(shown), qPrintable(questions.asked.join('\n')));

        QVERIFY(server.makeClientKey());
        questions.choices = {0};
        const ReadResult listed = readFolder(uri, &questions);
        QCOMPARE(listed.names, QStringList({"one.txt"}));

        // A tree there and back: a copy, a replace question, a cancel half
        // way that leaves nothing under a final name, a move.
        const QString local = tree.folder("local");
        tree.folder("local/tree");
        tree.file("local/tree/small.txt", "small");
        const QByteArray big = QByteArray(4 << 20, 'b');
        tree.file("local/tree/big.bin", big);
        // Enough files for a fresh folder's files to go several at once.
        const QList<QByteArray> notes = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
        for (const QByteArray &note : notes)
            tree.file("local/tree/" + note, note);
        ScriptedDialogs dialogs;
        QVERIFY(transfer(dialogs, {local + "/tree"}, uri, FO_COPY));
        QCOMPARE(contentOf(tree.path("remote/tree/big.bin")), big);
        for (const QByteArray &note : notes)
            QCOMPARE(contentOf(tree.path("remote/tree/" + note)), note);
        tree.file("local/tree/small.txt", "changed");
        dialogs.answerTargetExists(Dialogs::TargetExistsAnswer::Skip);
        QVERIFY(!transfer(dialogs, {local + "/tree/small.txt"}, uri + "tree/", FO_COPY));
        QCOMPARE(contentOf(tree.path("remote/tree/small.txt")), QByteArray("small"));
        QVERIFY(!transfer(dialogs, {local + "/tree/big.bin"}, uri, FO_COPY, 1 << 20));
        QCOMPARE(QDir(tree.path("remote")).entryList(QDir::Files | QDir::Hidden), QStringList({"one.txt"}));
        const QString again = tree.folder("remote/again");
        QVERIFY(!transfer(dialogs, {local + "/tree"}, uri + "again/", FO_COPY, 1 << 20));
        for (const QString &name : QDir(again + "/tree").entryList(QDir::Files | QDir::Hidden))
            QCOMPARE(contentOf(again + "/tree/" + name), contentOf(local + "/tree/" + name));
        QVERIFY(QDir(again).removeRecursively());
        const QString back = tree.folder("back");
        QVERIFY(transfer(dialogs, {uri + "tree"}, back, FO_MOVE));
        QCOMPARE(contentOf(back + "/tree/big.bin"), big);
        QCOMPARE(contentOf(back + "/tree/small.txt"), QByteArray("small"));
        QCOMPARE(QDir(back + "/tree").count(), uint(notes.size() + 4));
        QVERIFY(!QFile::exists(tree.path("remote/tree")));

        // Rename; a trash the server does not have is told, nothing lost;
        // delete for good.
        QVERIFY(transfer(dialogs, {uri + "one.txt"}, uri + "two.txt", FO_RENAME));
        dialogs.answerItemError(Dialogs::ErrorAnswer::Skip);
        FileOperation(dialogs, {uri + "two.txt"}, {}, FO_DELETE, FOF_ALLOWUNDO).run();
        QCOMPARE(dialogs.shown(ScriptedDialogs::Kind::ItemError).size(), 1);
        QCOMPARE(contentOf(tree.path("remote/two.txt")), QByteArray("1"));
        QVERIFY(transfer(dialogs, {back + "/tree"}, uri, FO_COPY));
        QVERIFY(transfer(dialogs, {uri + "tree", uri + "two.txt"}, {}, FO_DELETE));
        QCOMPARE(QDir(tree.path("remote")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_GUILESS_MAIN(GioLocationTest)
#include "GioLocationTest.moc"
