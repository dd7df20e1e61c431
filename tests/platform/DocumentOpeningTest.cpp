// Opening a file whose type has no application, or whose application cannot
// start: the "Открыть с помощью" choice with real desktop entries and real
// recording programs. main() points GIO at them before anything asks it.
#include "platform/DocumentOpening.h"
#include "platform/Launcher.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ScriptedDialogs.h"
#include "support/RecordingScript.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace quil;

namespace {

TempTree *xdg = nullptr;

// A desktop entry of the scratch data folder that runs a recording script.
QString addApplication(const QByteArray &id, const QByteArray &name, const QByteArray &more)
{
    const QString record = xdg->path(id + ".record");
    const QString script = recordingScript(*xdg, id + ".sh", record);
    xdg->file("data/applications/" + id + ".desktop",
              "[Desktop Entry]\nType=Application\nName=" + name + "\nExec='" + toNative(script) + "' %f\n" + more);
    return record;
}

bool anyTerminalInstalled()
{
    for (const char *terminal :
         {"xdg-terminal-exec", "x-terminal-emulator", "gnome-terminal", "mate-terminal", "xfce4-terminal", "tilix",
          "konsole", "nxterm", "color-xterm", "rxvt", "urxvt", "dtterm", "xterm"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(terminal)).isEmpty())
            return true;
    return false;
}

struct Opening
{
    const char *name;
    const char *file;      // a type with no application, or one whose application needs a terminal
    const char *firstItem; // the first application offered: the type's own where it has one
};

} // namespace

// Enter and "Открыть" on such a file once did nothing, silently.
TEST(DocumentOpening, OffersTheChoiceWhereTheDefaultOpensNothing)
{
    const Opening cases[] = {
        {"no application for the type", "data.bin", nullptr},
        {"the type's application needs a terminal", "notes.txt", "Quil terminal test"},
    };
    Launcher launcher;
    for (const Opening &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.firstItem == nullptr && launcher.hasDefaultApplication(QStringLiteral("application/octet-stream")))
            GTEST_SKIP() << "this machine opens any file";
        if (c.firstItem != nullptr && anyTerminalInstalled())
            GTEST_SKIP() << "this machine has a terminal";
        TempTree files;
        const QString path = files.file(c.file, c.firstItem ? QByteArray("text\n") : QByteArray("\x01\x02\x00\x03", 4));
        const QString record = xdg->path("quil-choice-test.record");
        QFile::remove(record);

        ScriptedDialogs cancelled;
        EXPECT_FALSE(openDocumentOrChoose(cancelled, launcher, path));
        ASSERT_EQ(cancelled.shown(ScriptedDialogs::Kind::Choice).size(), 1);
        const QStringList offered = cancelled.shown(ScriptedDialogs::Kind::Choice).first().extra.split(u'\n');
        EXPECT_TRUE(offered.contains(QStringLiteral("Quil choice test"))) << offered.join(", ").toStdString();
        if (c.firstItem != nullptr) {
            EXPECT_EQ(offered.value(0), QString::fromUtf8(c.firstItem));
        }
        EXPECT_FALSE(QFile::exists(record));

        ScriptedDialogs chosen;
        chosen.answerChoice(QStringLiteral("Quil choice test"));
        EXPECT_TRUE(openDocumentOrChoose(chosen, launcher, path));
        const QList<QByteArray> opened = waitForRecord(record);
        EXPECT_EQ(opened.value(1), toNative(path));
        EXPECT_TRUE(chosen.messages().isEmpty());
    }
}

TEST(DocumentOpening, MissingFileIsAnError)
{
    ScriptedDialogs dialogs;
    Launcher launcher;
    EXPECT_THROW(openDocumentOrChoose(dialogs, launcher, QStringLiteral("/nonexistent/quil-missing.bin")), OsError);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

int main(int argc, char **argv)
{
    // GIO reads the applications and their defaults once, on first use.
    TempTree tree;
    xdg = &tree;
    tree.folder("data");
    tree.folder("data/applications");
    tree.folder("config");
    addApplication("quil-choice-test", "Quil choice test", "NoDisplay=false\n");
    addApplication("quil-terminal-test", "Quil terminal test", "MimeType=text/plain;\nTerminal=true\n");
    // Added too, as xdg-mime does: GIO lists the type's applications from there.
    tree.file("config/mimeapps.list", "[Default Applications]\ntext/plain=quil-terminal-test.desktop\n"
                                      "[Added Associations]\ntext/plain=quil-terminal-test.desktop;\n");
    qputenv("XDG_DATA_HOME", toNative(tree.path("data")));
    qputenv("XDG_CONFIG_HOME", toNative(tree.path("config")));
    qputenv("XDG_DATA_DIRS", toNative(tree.path("data")) + ":/usr/local/share:/usr/share");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
