// Times ShellNamespace::enumerate on a large folder against `ls -f` on the
// same folder, both warm, and prints the medians and their ratio.
#include "TimeCommand.h"
#include "platform/ShellNamespace.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Fills the folder with `count` entries: mostly files, some folders and links.
void fill(const std::string &folder, int count)
{
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/entry-%06d%s", folder.c_str(), i,
                      i % 100 == 0 ? "" : (i % 3 == 0 ? ".txt" : ".dat"));
        if (i % 100 == 0) {
            ::mkdir(name, 0755);
        } else if (i % 1000 == 1) {
            ::symlink("entry-000000", name);
        } else {
            const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0) {
                std::perror(name);
                std::exit(1);
            }
            ::close(fd);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [ENTRIES] [REPEATS]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int entries = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 7;
    const quil::ItemId id = quil::ItemId::fromPath(QString::fromUtf8(folder.c_str()));
    if (quil::ShellNamespace::enumerate(id).size() < entries)
        fill(folder, entries);

    // Warm the cache for both.
    const qsizetype listed = quil::ShellNamespace::enumerate(id).size();
    timeCommand({"ls", "-f", folder.c_str()});

    std::vector<double> ours, ls;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QList<quil::FolderChild> children = quil::ShellNamespace::enumerate(id);
        ours.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (children.size() != listed)
            return 1;
        ls.push_back(timeCommand({"ls", "-f", folder.c_str()}));
    }
    // For the record: making name keys for every entry and sorting by them.
    std::vector<double> sorting;
    for (int i = 0; i < 3; ++i) {
        QList<quil::FolderChild> children = quil::ShellNamespace::enumerate(id);
        QElapsedTimer timer;
        timer.start();
        const quil::ItemComparator comparator;
        std::vector<quil::ItemSortKey> keys;
        keys.reserve(size_t(children.size()));
        for (quil::FolderChild &child : children)
            keys.push_back(quil::ShellNamespace::sortKey(comparator, child, quil::SortColumn::Name));
        std::sort(keys.begin(), keys.end(), [](const quil::ItemSortKey &a, const quil::ItemSortKey &b) {
            return quil::ItemComparator::compare(a, b, quil::SortColumn::Name) < 0;
        });
        sorting.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("entries=%lld\n", static_cast<long long>(listed));
    std::printf("name_keys_and_sort_ms=%.2f\n", median(sorting));
    std::printf("enumerate_ms=%.2f\n", median(ours));
    std::printf("ls_f_ms=%.2f\n", median(ls));
    std::printf("enumerate_vs_ls_f=%.2f\n", median(ours) / median(ls));
    return 0;
}
