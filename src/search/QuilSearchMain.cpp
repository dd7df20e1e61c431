// quil-search: runs the file search engine from the command line, for
// benchmarks and checks.
//   quil-search ROOT [--subfolders] [--name N] [--ext X] [--text T] [--dos] [-0]
// prints every found path on a line of its own (with -0: each ended by a NUL
// byte instead, as names may hold line ends), in the order found, then the
// line "found=N folders=M" (M: the folders searched). Messages go to stderr.

#include "platform/InfoOption.h"
#include "platform/NativePath.h"
#include "search/FileSearch.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class ToolObserver : public quil::SearchObserver
{
public:
    void foldersDoneChanged(qsizetype count) override { foldersDone = count; }
    void matchFound(const QString &path) override
    {
        // Names that were valid UTF-8 take the quick conversion.
        const QByteArray bytes = quil::hasEscapedBytes(path) ? quil::toNative(path) : path.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fputc(separator, stdout);
    }
    void showMessage(const QString &text, const QString &title, quil::Dialogs::Icon) override
    {
        std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
    }

    qsizetype foldersDone = 0;
    char separator = '\n';
};

const char *const kUsage = "usage: quil-search ROOT [--subfolders] [--name N] [--ext X] [--text T] [--dos] [-0]\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (quil::answerInfoOption(argc, argv, kUsage))
        return 0;
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    quil::SearchRequest request;
    bool haveRoot = false;
    ToolObserver observer;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--subfolders") {
            request.subfolders = true;
        } else if (arg == "-0") {
            observer.separator = '\0';
        } else if (arg == "--dos") {
            request.dos = true;
        } else if (arg == "--name" && hasValue) {
            request.name = quil::fromNative(argv[++i]);
        } else if (arg == "--ext" && hasValue) {
            request.extension = quil::fromNative(argv[++i]);
        } else if (arg == "--text" && hasValue) {
            request.withText = true;
            request.text = QString::fromUtf8(argv[++i]);
        } else if (!haveRoot && (arg.empty() || arg[0] != '-' || arg == "-")) {
            request.rootFolder = quil::fromNative(argv[i]);
            haveRoot = true;
        } else {
            return usage();
        }
    }
    if (!haveRoot)
        return usage();
    quil::FileSearch search(observer);
    const quil::SearchEnd how = search.start(request);
    std::printf("found=%lld folders=%lld\n", static_cast<long long>(search.FoundCount()),
                static_cast<long long>(observer.foldersDone));
    std::fflush(stdout);
    return how == quil::SearchEnd::MissingRoot ? 1 : 0;
}
