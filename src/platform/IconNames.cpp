#include "platform/IconNames.h"

#include <QHash>
#include <QList>

#include <mutex>

namespace quil {

namespace {
struct Registry
{
    std::mutex mutex;
    QList<std::pair<QString, QString>> icons;
    QHash<QString, int> byName;

    Registry()
    {
        add(QStringLiteral("text-x-generic"), QStringLiteral("application-x-generic"));
        add(QStringLiteral("folder"), {});
        add(QStringLiteral("computer"), {});
        add(QStringLiteral("user-desktop"), QStringLiteral("folder"));
        add(QStringLiteral("user-home"), QStringLiteral("folder"));
        add(QStringLiteral("drive-harddisk"), {});
        add(QStringLiteral("drive-removable-media"), QStringLiteral("drive-harddisk"));
    }

    int add(const QString &name, const QString &fallback)
    {
        const QString key = name + QLatin1Char('\n') + fallback;
        const auto found = byName.constFind(key);
        if (found != byName.constEnd())
            return *found;
        icons.append({name, fallback});
        byName.insert(key, int(icons.size() - 1));
        return int(icons.size() - 1);
    }
};

Registry &registry()
{
    static Registry instance;
    return instance;
}
} // namespace

int IconNames::indexOf(const QString &name, const QString &fallback)
{
    Registry &r = registry();
    const std::scoped_lock lock(r.mutex);
    return r.add(name, fallback);
}

QString IconNames::name(int index)
{
    Registry &r = registry();
    const std::scoped_lock lock(r.mutex);
    return index >= 0 && index < r.icons.size() ? r.icons[index].first : QString();
}

QString IconNames::fallback(int index)
{
    Registry &r = registry();
    const std::scoped_lock lock(r.mutex);
    return index >= 0 && index < r.icons.size() ? r.icons[index].second : QString();
}

int IconNames::count()
{
    Registry &r = registry();
    const std::scoped_lock lock(r.mutex);
    return int(r.icons.size());
}

} // namespace quil
