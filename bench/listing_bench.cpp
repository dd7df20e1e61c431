// Opens a folder through the main list's real model and view and reports the
// median times: read + sort by name + row count + first rows painted, then
// the same with the size, type and date orders; then the peak resident
// memory per entry.
#include "Median.h"
#include "TimeCommand.h"

#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "platform/ShellNamespace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

struct Opened
{
    double ms;
    qint64 filled;
    int rows;
};

Opened openOnce(const QString &path, quil::SortKey key)
{
    quil::FolderListing listing;
    listing.setSortKey(key);
    quil::FolderListModel model(listing);
    quil::FolderListView view;
    view.setModel(&model);
    view.setDataHint([&model](int first, int last) { model.fillDetails(first, last); });
    view.resize(600, 400);
    view.show();
    QElapsedTimer timer;
    timer.start();
    const quil::ItemId folder = quil::ShellNamespace::parse(path);
    model.reading([&] { listing.readFolder(folder); });
    listing.setCurrent(folder, path);
    view.setCurrentIndex(model.index(0, 0));
    view.grab(); // paints the first rows, running the detail fill for them
    return {double(timer.nsecsElapsed()) / 1e6, listing.detailFills(), listing.count()};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: listing_bench FOLDER [REPEATS [name|size|type|date]]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const struct
    {
        const char *name;
        quil::SortKey key;
    } orders[] = {{"name", quil::SortKey::Name},
                  {"size", quil::SortKey::Size},
                  {"type", quil::SortKey::Type},
                  {"date", quil::SortKey::Date}};
    // ls and the name order take turns, so both see the same load of the machine.
    std::vector<double> lsTimes;
    double ratio = 0;
    int rows = 0;
    // A third argument names the only order to time (for profiling one).
    const QByteArray only = argc > 3 ? QByteArray(argv[3]) : QByteArray();
    for (const auto &order : orders) {
        if (!only.isEmpty() && only != order.name)
            continue;
        std::vector<double> times;
        Opened last{};
        for (int i = 0; i < repeats; ++i) {
            if (order.key == quil::SortKey::Name)
                lsTimes.push_back(timeCommand({"ls", path.toLocal8Bit().constData()}));
            last = openOnce(path, order.key);
            times.push_back(last.ms);
            rows = last.rows;
        }
        std::printf("open_by_%s_ms=%.1f rows=%d details_filled=%lld\n", order.name, median(times), last.rows,
                    static_cast<long long>(last.filled));
        if (order.key == quil::SortKey::Name) {
            std::printf("ls_sorted_ms=%.1f\n", median(lsTimes));
            ratio = median(times) / median(lsTimes);
        }
    }
    // The peak resident memory of this process (Qt and the fonts included)
    // over the entries of the folder, beside the time ratio.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_resident_mb=%.1f\n", double(usage.ru_maxrss) / 1024);
    std::printf("listing_bytes_per_entry=%.0f listing_vs_ls=%.2f\n",
                rows > 0 ? double(usage.ru_maxrss) * 1024 / rows : 0.0, ratio);
    return 0;
}
