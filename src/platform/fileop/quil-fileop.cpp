// quil-fileop: runs the shell file operation from the command line with
// scripted answers, for scripts and benchmarks.
//
//   quil-fileop copy|move|delete|trash|rename SRC... --to TARGET
//       [--on-exists replace|replace-all|skip|cancel] [--on-error retry|skip|cancel]
//       [--cancel-after-bytes N]
//
// The operation is journalled for undo as in the program (so benchmarks time
// that too); journalled=N tells how many items its undo entry holds.
// Prints result=ok or result=failed last; exit status 0 or 1 (2 for a usage
// error, an empty path included, with nothing done).

#include "platform/InfoOption.h"
#include "platform/NativePath.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/ToolDialogs.h"
#include "platform/fileop/UndoRecorder.h"
#include "platform/gio/GioLocation.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>

namespace {

const char *const kUsage = "usage: quil-fileop copy|move|delete|trash|rename SRC... --to TARGET\n"
                           "         [--on-exists replace|replace-all|skip|cancel] [--on-error retry|skip|cancel]\n"
                           "         [--cancel-after-bytes N]\n";

// The operation takes whole paths (or URIs) only; a path given relative to the working
// folder is made whole here, its bytes kept as they are. An empty argument
// names no file (made whole it would name the working folder): nullopt.
std::optional<QString> wholePath(const char *arg)
{
    QByteArray path(arg);
    if (path.isEmpty())
        return std::nullopt;
    // A network folder, an archive or the trash: its URI as given.
    if (quil::isGioLocation(QString::fromUtf8(path)))
        return QString::fromUtf8(path);
    if (!path.startsWith('/'))
        path.prepend(QByteArray::fromStdString(std::filesystem::current_path().native()) + '/');
    return quil::fromNative(path);
}

int refuseEmptyPath()
{
    std::fprintf(stderr, "quil-fileop: an empty path names no file; nothing was done\n");
    return 2;
}

int usage(const char *why)
{
    std::fprintf(stderr, "quil-fileop: %s\n%s", why, kUsage);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    using quil::Dialogs;
    if (quil::answerInfoOption(argc, argv, kUsage))
        return 0;
    if (argc < 2)
        return usage("no command");
    const std::map<std::string, std::pair<int, int>> commands = {
        {"copy", {quil::FO_COPY, quil::FOF_ALLOWUNDO}},
        {"move", {quil::FO_MOVE, quil::FOF_ALLOWUNDO}},
        {"delete", {quil::FO_DELETE, quil::FOF_MULTIDESTFILES}},
        {"trash", {quil::FO_DELETE, quil::FOF_ALLOWUNDO}},
        {"rename", {quil::FO_RENAME, quil::FOF_RENAMEONCOLLISION}},
    };
    const auto command = commands.find(argv[1]);
    if (command == commands.end())
        return usage("unknown command");
    const std::map<std::string, Dialogs::TargetExistsAnswer> existsAnswers = {
        {"replace", Dialogs::TargetExistsAnswer::Replace},
        {"replace-all", Dialogs::TargetExistsAnswer::ReplaceAll},
        {"skip", Dialogs::TargetExistsAnswer::Skip},
        {"cancel", Dialogs::TargetExistsAnswer::Cancel},
    };
    const std::map<std::string, Dialogs::ErrorAnswer> errorAnswers = {
        {"retry", Dialogs::ErrorAnswer::Retry},
        {"skip", Dialogs::ErrorAnswer::Skip},
        {"cancel", Dialogs::ErrorAnswer::Cancel},
    };

    QStringList sources;
    std::optional<QString> target;
    auto onExists = Dialogs::TargetExistsAnswer::Cancel;
    auto onError = Dialogs::ErrorAnswer::Cancel;
    qint64 cancelAfter = -1;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            const std::optional<QString> source = wholePath(argv[i]);
            if (!source)
                return refuseEmptyPath();
            sources.append(*source);
            continue;
        }
        if (i + 1 >= argc)
            return usage("an option without its value");
        const char *value = argv[++i];
        if (arg == "--to") {
            target = wholePath(value);
            if (!target)
                return refuseEmptyPath();
        } else if (arg == "--on-exists") {
            const auto found = existsAnswers.find(value);
            if (found == existsAnswers.end())
                return usage("--on-exists takes replace, replace-all, skip or cancel");
            onExists = found->second;
        } else if (arg == "--on-error") {
            const auto found = errorAnswers.find(value);
            if (found == errorAnswers.end())
                return usage("--on-error takes retry, skip or cancel");
            onError = found->second;
        } else if (arg == "--cancel-after-bytes") {
            bool ok = false;
            cancelAfter = QByteArray(value).toLongLong(&ok);
            if (!ok || cancelAfter < 0)
                return usage("--cancel-after-bytes takes a byte count");
        } else {
            return usage("unknown option");
        }
    }
    if (sources.isEmpty())
        return usage("no source");
    const int operation = command->second.first;
    if (!target && operation != quil::FO_DELETE)
        return usage("--to is needed");

    quil::ToolDialogs dialogs(onExists, onError);
    quil::FileOperation fileOperation(dialogs, sources, target.value_or(QString()), operation, command->second.second);
    if (cancelAfter >= 0)
        fileOperation.setCancelAfterBytes(cancelAfter);
    // The I/O runs on a worker thread, as under the progress window; no
    // window here, so the tool needs neither Qt Widgets nor a display.
    quil::UndoRecorder recorder(fileOperation, operation, command->second.second);
    bool ok = false;
    std::jthread([&] { ok = fileOperation.run(); }).join();
    const quil::FileOperation::Progress progress = fileOperation.progress();
    std::printf("items=%d/%d bytes=%lld/%lld\n", progress.itemsDone, progress.itemsTotal,
                static_cast<long long>(progress.bytesDone), static_cast<long long>(progress.bytesTotal));
    std::printf("journalled=%zu\n", recorder.entry().items.size());
    std::printf("result=%s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
}
