#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace quil;
namespace fc = filecheck;

namespace {

constexpr int kSources = 5000;
constexpr rlim_t kDescriptorLimit = 256;

// Lowers this process's descriptor limit for the object's life.
class DescriptorLimit
{
public:
    explicit DescriptorLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_NOFILE, &m_old);
        struct rlimit lowered = m_old;
        lowered.rlim_cur = std::min(limit, m_old.rlim_cur);
        m_set = ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &m_old); }
    DescriptorLimit(const DescriptorLimit &) = delete;
    DescriptorLimit &operator=(const DescriptorLimit &) = delete;
    bool set() const { return m_set; }

private:
    struct rlimit m_old = {};
    bool m_set = false;
};

QStringList makeSources(const QByteArray &folder)
{
    QStringList sources;
    for (int i = 0; i < kSources; ++i) {
        const QByteArray path = folder + "/f" + QByteArray::number(i);
        fc::write(path, QByteArray::number(i));
        sources.append(fromNative(path));
    }
    return sources;
}

} // namespace

// Thousands of sources of one folder hold a few descriptors, not one each:
// under a low descriptor limit every kind of operation still does them all.
TEST(FileOperation, ThousandsOfSourcesFitALowDescriptorLimit)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 256 * 1024 * 1024);
    struct Case
    {
        const char *name;
        int operation;
        bool otherVolume;
    };
    const Case cases[] = {
        {"copy", FO_COPY, false},
        {"move", FO_MOVE, false},
        {"move to another volume", FO_MOVE, true},
        {"delete", FO_DELETE, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray tag = QByteArray::number(&c - cases);
        if (c.otherVolume && !volume.mounted()) {
            std::printf("tmpfs cannot be mounted here: %s not run\n", c.name);
            continue;
        }
        const QByteArray src = tree.folder("src-" + tag).toUtf8();
        const QByteArray dst = c.otherVolume ? volume.path().toUtf8() : tree.folder("dst-" + tag).toUtf8();
        const QStringList sources = makeSources(src);
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Cancel);
        FileOperation operation(dialogs, sources, c.operation == FO_DELETE ? QString() : fromNative(dst), c.operation,
                                FOF_MULTIDESTFILES);
        bool ok = false;
        {
            const DescriptorLimit limit(kDescriptorLimit);
            ASSERT_TRUE(limit.set());
            ok = operation.run();
        }
        EXPECT_TRUE(ok);
        EXPECT_TRUE(dialogs.shown().isEmpty());
        EXPECT_EQ(fc::names(src).size(), c.operation == FO_COPY ? kSources : 0);
        if (c.operation != FO_DELETE) {
            EXPECT_EQ(fc::names(dst).size(), kSources);
            EXPECT_EQ(fc::read(dst + "/f4321"), "4321");
        }
    }
}
