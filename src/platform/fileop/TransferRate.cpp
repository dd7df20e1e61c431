#include "platform/fileop/TransferRate.h"

#include <QCoreApplication>
#include <cmath>

namespace quil {

void TransferRate::add(qint64 timeMs, qint64 done)
{
    // A restart of the count (another operation) starts the average afresh.
    if (!m_samples.empty() && (done < m_samples.back().done || timeMs < m_samples.back().time))
        m_samples.clear();
    m_samples.push_back({timeMs, done});
    while (m_samples.size() > 2 && timeMs - m_samples[1].time >= kWindowMs)
        m_samples.pop_front();
}

std::optional<double> TransferRate::perSecond() const
{
    if (m_samples.size() < 2)
        return std::nullopt;
    const Sample &first = m_samples.front();
    const Sample &last = m_samples.back();
    if (last.time - first.time < kMinimumSpanMs)
        return std::nullopt;
    return double(last.done - first.done) * 1000.0 / double(last.time - first.time);
}

std::optional<qint64> TransferRate::secondsLeft(qint64 total) const
{
    const std::optional<double> speed = perSecond();
    if (!speed || *speed <= 0 || m_samples.empty())
        return std::nullopt;
    const qint64 remaining = std::max<qint64>(0, total - m_samples.back().done);
    return qint64(std::ceil(double(remaining) / *speed));
}

QString TransferRate::speedText(double perSecond, bool bytes)
{
    if (!bytes)
        return QString::number(perSecond, 'f', perSecond < 10 ? 1 : 0).replace(QLatin1Char('.'), QLatin1Char(',')) +
               QCoreApplication::translate("TransferRate", " объект(ов)/с");
    static const char *const kUnits[] = {
        QT_TRANSLATE_NOOP("TransferRate", "байт/с"), QT_TRANSLATE_NOOP("TransferRate", "КБ/с"),
        QT_TRANSLATE_NOOP("TransferRate", "МБ/с"), QT_TRANSLATE_NOOP("TransferRate", "ГБ/с")};
    int unit = 0;
    double value = perSecond;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    const QString number = unit == 0 ? QString::number(qint64(value))
                                     : QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    return number + QLatin1Char(' ') + QCoreApplication::translate("TransferRate", kUnits[unit]);
}

QString TransferRate::durationText(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return h > 0 ? QStringLiteral("%1:%2:%3").arg(h).arg(two(m), two(s)) : QStringLiteral("%1:%2").arg(m).arg(two(s));
}

} // namespace quil
