// quil-view: the file content viewer without its window, for checks and
// benchmarks.
//   quil-view FILE [--cp WIN|DOS|UCODE] [--hex|--text] [--pos P|end] [--lines L] [--repeat N]
//     prints the text area as the viewer fills it (UTF-8, one line per line);
//     --repeat renders the page N times (prints it once).
//   quil-view FILE --find TEXT [--cp ...] [--from OFFSET]
//     prints the offset of the first match at or after OFFSET, or -1.
#include "platform/InfoOption.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "viewers/FileSearcher.h"
#include "viewers/FileViewModel.h"

#include <QByteArray>
#include <cstdio>
#include <cstring>
#include <optional>

using namespace quil;

namespace {

const char *const kUsage =
    "usage: quil-view FILE [--cp WIN|DOS|UCODE] [--hex|--text] [--pos P|end] [--lines L] [--repeat N]\n"
    "       quil-view FILE --find TEXT [--cp WIN|DOS|UCODE] [--from OFFSET]\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

std::optional<qint64> number(const char *text)
{
    bool ok = false;
    const qint64 value = QByteArray(text).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answerInfoOption(argc, argv, kUsage))
        return 0;
    if (argc < 2)
        return usage();
    const QString path = fromNative(QByteArrayView(argv[1], qsizetype(std::strlen(argv[1]))));
    ViewerCodePage codePage = ViewerCodePage::Win;
    enum class Mode { Open, Hex, Text } mode = Mode::Open;
    std::optional<qint64> position;
    bool positionAtEnd = false;
    qint64 lines = 23;
    qint64 repeat = 1;
    std::optional<QString> find;
    qint64 from = 0;

    for (int i = 2; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == "--hex") {
            mode = Mode::Hex;
        } else if (arg == "--text") {
            mode = Mode::Text;
        } else if (arg == "--cp" && hasValue) {
            const auto named = codePageFromName(QString::fromUtf8(argv[++i]).toUpper());
            if (!named)
                return usage();
            codePage = *named;
        } else if (arg == "--pos" && hasValue) {
            if (std::strcmp(argv[++i], "end") == 0) {
                positionAtEnd = true;
            } else if (!(position = number(argv[i]))) {
                return usage();
            }
        } else if ((arg == "--lines" || arg == "--repeat" || arg == "--from") && hasValue) {
            const auto value = number(argv[++i]);
            if (!value || *value < (arg == "--from" ? 0 : 1))
                return usage();
            (arg == "--lines" ? lines : arg == "--repeat" ? repeat : from) = *value;
        } else if (arg == "--find" && hasValue) {
            find = QString::fromUtf8(argv[++i]);
        } else {
            return usage();
        }
    }

    try {
        if (find) {
            const qint64 at = FileSearcher::findInFile(path, *find, from, codePage);
            std::printf("%lld\n", static_cast<long long>(at));
            return 0;
        }
        FileViewModel view;
        view.setPath(path);
        view.setCodePage(codePage);
        view.setLinesPerPage(lines);
        view.open();
        if ((mode == Mode::Hex && view.textMode()) || (mode == Mode::Text && !view.textMode()))
            view.toggleTextHex();
        if (!view.wholeFileMode()) {
            if (positionAtEnd)
                view.setPosition(view.paging().maximum());
            else if (position)
                view.setPosition(*position);
            for (qint64 n = 1; n < repeat; ++n)
                view.renderPage();
        }
        const QByteArray shown = view.shownText().toUtf8();
        std::fwrite(shown.constData(), 1, static_cast<size_t>(shown.size()), stdout);
        if (!shown.isEmpty())
            std::fputc('\n', stdout);
    } catch (const QuilError &error) {
        std::fprintf(stderr, "quil-view: %s\n", error.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
